// listrion-cli: the program's logic for scripts and checks.
#include "cli/Command.h"
#include "store/SqlError.h"

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

int run(std::vector<std::string> args)
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
    listrion::cli::registerToolCommands(registry);

    std::optional<std::filesystem::path> home;
    while (!args.empty() && args.front().starts_with("--")) {
        if (args.front() == "--help") {
            printOverview(registry, std::cout);
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
        printCommandHelp(*command, std::cout);
        return 0;
    }
    try {
        listrion::cli::Context context(listrion::settings::ProgramFolder::resolve(home), std::cout,
                                       std::cerr);
        std::string line = command->name;
        for (auto it = args.begin() + 1; it != args.end(); ++it) {
            line += " " + *it;
        }
        context.setStepName(line);
        return command->run(context, arguments);
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
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const listrion::store::SqlError& e) {
        std::cerr << "listrion-cli: database error: " << e.what() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "listrion-cli: " << e.what() << '\n';
    }
    return 1;
}
