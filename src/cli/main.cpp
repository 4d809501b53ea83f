// listrion-cli: the program's logic for scripts and checks.
#include "cli/Command.h"
#include "cli/WholeLines.h"
#include "playlist/Leftovers.h"
#include "store/FolderLock.h"
#include "store/SqlError.h"

#include <sqlite3.h>

#include <exception>
#include <iostream>
#include <optional>

namespace {

using listrion::cli::Arguments;
using listrion::cli::Command;
using listrion::cli::CommandRegistry;
using listrion::cli::UsageError;

void printOverview(const CommandRegistry& registry, std::ostream& out)
{
    out << "usage: listrion-cli [--home DIR] COMMAND [ARGUMENTS]\n\n"
           "The program folder is DIR, else $LISTRION_HOME, else $XDG_DATA_HOME/listrion.\n\n"
           "Commands:\n";
    for (const auto& [name, command] : registry.all()) {
        out << "  " << name << (command.usage.empty() ? "" : " ") << command.usage << "\n      "
            << command.summary << '\n';
    }
    out << "\nlistrion-cli COMMAND --help shows more about one command.\n";
}

void printCommandHelp(const Command& command, std::ostream& out)
{
    out << "usage: listrion-cli [--home DIR] " << command.name << (command.usage.empty() ? "" : " ")
        << command.usage << "\n\n"
        << command.summary << '\n';
    if (!command.help.empty()) {
        out << '\n' << command.help << '\n';
    }
}

// Runs a command that changes the store under the folder lock, after what killed programs
// left behind is gone; a command that reads needs no lock.
int runCommand(const Command& command, Arguments& arguments, listrion::cli::Context& context,
               const listrion::settings::ProgramFolder& folder)
{
    listrion::store::FolderLock lock;
    if (command.store == listrion::cli::StoreUse::Changes) {
        lock = listrion::store::FolderLock::acquire(folder.dataMdb());
        if (!lock.held()) {
            std::cerr << "listrion-cli " << command.name << ": " << lock.message() << '\n';
            return 1;
        }
        listrion::playlist::removeLeftoverFiles(folder.dataMdb(), folder.tempM3u());
    }
    const int code = command.run(context, arguments);
    // The store closes before the lock goes.
    context.closeDatabase();
    return code;
}

int run(std::vector<std::string> args, std::ostream& out)
{
    CommandRegistry registry;
    listrion::cli::registerStoreCommands(registry);
    listrion::cli::registerOrderingCommands(registry);
    listrion::cli::registerGroupCommands(registry);
    listrion::cli::registerChannelCommands(registry);
    listrion::cli::registerHistoryCommands(registry);
    listrion::cli::registerBackupCommands(registry);
    listrion::cli::registerSettingsCommands(registry);
    listrion::cli::registerReaderCommands(registry);
    listrion::cli::registerExportCommands(registry);
    listrion::cli::registerWriterCommands(registry);
    listrion::cli::registerLinkCheckCommands(registry);
    listrion::cli::registerCheckCommands(registry);
    listrion::cli::registerToolCommands(registry);
    listrion::cli::registerEpgIdCommands(registry);
    listrion::cli::registerUpdateCommands(registry);

    std::optional<std::filesystem::path> home;
    while (!args.empty() && args.front().starts_with("--")) {
        if (args.front() == "--help") {
            printOverview(registry, out);
            return 0;
        }
        if (args.front() == "--home" && args.size() >= 2) {
            home = args[1];
            args.erase(args.begin(), args.begin() + 2);
        } else if (args.front().starts_with("--home=")) {
            home = args.front().substr(7);
            args.erase(args.begin());
        } else {
            std::cerr << "listrion-cli: unknown option " << args.front()
                      << " (see listrion-cli --help)\n";
            return 2;
        }
    }
    if (args.empty()) {
        printOverview(registry, std::cerr);
        return 2;
    }
    const Command* command = registry.find(args.front());
    if (command == nullptr) {
        std::cerr << "listrion-cli: unknown command '" << args.front()
                  << "' (see listrion-cli --help)\n";
        return 2;
    }
    Arguments arguments(std::vector<std::string>(args.begin() + 1, args.end()));
    if (arguments.takeFlag("--help")) {
        printCommandHelp(*command, out);
        return 0;
    }
    try {
        const listrion::settings::ProgramFolder folder =
            listrion::settings::ProgramFolder::resolve(home);
        listrion::cli::Context context(folder, out, std::cerr);
        context.setStoreUse(command->store);
        std::string line = command->name;
        for (auto it = args.begin() + 1; it != args.end(); ++it) {
            line += " " + *it;
        }
        context.setStepName(line);
        return runCommand(*command, arguments, context, folder);
    } catch (const UsageError& e) {
        std::cerr << "listrion-cli " << command->name << ": " << e.what()
                  << " (usage: " << command->name << (command->usage.empty() ? "" : " ")
                  << command->usage << ")\n";
        return 2;
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    listrion::cli::WholeLines lines(std::cout.rdbuf());
    std::ostream out(&lines);
    try {
        const int code = run(std::vector<std::string>(argv + 1, argv + argc), out);
        lines.finish();
        return code;
    } catch (const listrion::store::SqlError& e) {
        lines.dropPartialLine();
        if ((e.code() & 0xff) == SQLITE_READONLY) {
            std::cerr << "listrion-cli: " << listrion::store::FolderLock::kReadOnlyMessage << '\n';
        } else {
            std::cerr << "listrion-cli: database error: " << e.what() << '\n';
        }
    } catch (const std::exception& e) {
        lines.dropPartialLine();
        std::cerr << "listrion-cli: " << e.what() << '\n';
    }
    return 1;
}
