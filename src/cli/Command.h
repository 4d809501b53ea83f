#pragma once

#include "cli/Arguments.h"
#include "settings/ProgramFolder.h"
#include "store/CheckpointThread.h"
#include "store/Database.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

namespace listrion::cli {

// How a command uses data.mdb. A command that changes it holds the folder lock for its whole
// run (store::FolderLock); one that reads it takes no lock and reads through a read-only
// connection, so it works beside a writer and on a read-only store.
enum class StoreUse { Changes, Reads, None };

// What a command works on: the program folder, its data.mdb (opened on first use) and the
// output streams.
class Context {
public:
    Context(settings::ProgramFolder folder, std::ostream& out, std::ostream& err)
        : m_folder(std::move(folder)), m_out(out), m_err(err)
    {
    }

    const settings::ProgramFolder& folder() const { return m_folder; }
    // data.mdb, read-write or read-only as the command's StoreUse says. A writer's first use
    // also drops the load tables an interrupted open left.
    store::Database& database();
    void setStoreUse(StoreUse use) { m_use = use; }
    void closeDatabase()
    {
        m_database.reset();
        m_checkpoints.reset();
    }
    // The name of the history step the command makes.
    void setStepName(std::string name) { m_stepName = std::move(name); }
    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

private:
    settings::ProgramFolder m_folder;
    std::ostream& m_out;
    std::ostream& m_err;
    std::optional<store::DeferredCheckpoints> m_checkpoints;
    std::unique_ptr<store::Database> m_database;
    std::string m_stepName = "Change";
    StoreUse m_use = StoreUse::Changes;
};

struct Command {
    std::string name;
    std::string usage;   // arguments after the command name
    std::string summary; // one line for the command list
    std::string help;    // further lines for COMMAND --help
    std::function<int(Context&, Arguments&)> run;
    StoreUse store = StoreUse::Changes;
};

// All commands by name; each subsystem adds its own from its register function.
class CommandRegistry {
public:
    void add(Command command);
    const Command* find(const std::string& name) const;
    const std::map<std::string, Command>& all() const { return m_commands; }

private:
    std::map<std::string, Command> m_commands;
};

void registerStoreCommands(CommandRegistry& registry);
void registerOrderingCommands(CommandRegistry& registry);
void registerGroupCommands(CommandRegistry& registry);
void registerChannelCommands(CommandRegistry& registry);
void registerHistoryCommands(CommandRegistry& registry);
void registerBackupCommands(CommandRegistry& registry);
void registerSettingsCommands(CommandRegistry& registry);
void registerReaderCommands(CommandRegistry& registry);
void registerExportCommands(CommandRegistry& registry);
void registerWriterCommands(CommandRegistry& registry);
void registerLinkCheckCommands(CommandRegistry& registry);
void registerCheckCommands(CommandRegistry& registry);
void registerToolCommands(CommandRegistry& registry);
void registerRestructureCommands(CommandRegistry& registry);
void registerUpdateCommands(CommandRegistry& registry);
void registerEpgArchiveCommands(CommandRegistry& registry);
// epg derive|clear|replace; ALL holds the subcommand and its arguments.
int runEpgIdCommand(Context& ctx, const std::vector<std::string>& all);

} // namespace listrion::cli
