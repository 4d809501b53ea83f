#include "cli/Command.h"

#include "playlist/Leftovers.h"
#include "settings/Settings.h"
#include "store/Schema.h"

namespace listrion::cli {

store::Database& Context::database()
{
    if (!m_database) {
        store::Database::setDefaultHistoryCap(
            settings::Settings(m_folder.settingsIni()).historyCapBytes());
        if (m_use == StoreUse::Changes) {
            // The log is copied into the file beside the command's work, and what is left
            // when the store closes.
            m_checkpoints.emplace(m_folder.dataMdb());
            m_database = std::make_unique<store::Database>(store::Schema::open(m_folder.dataMdb()));
            playlist::dropLeftoverTables(*m_database);
        } else {
            m_database = std::make_unique<store::Database>(
                store::Schema::openForReading(m_folder.dataMdb()));
        }
        // The command line, as the history names the step the command makes.
        m_database->setStepName(m_stepName);
    }
    return *m_database;
}

void CommandRegistry::add(Command command)
{
    std::string name = command.name;
    m_commands.insert_or_assign(std::move(name), std::move(command));
}

const Command* CommandRegistry::find(const std::string& name) const
{
    const auto it = m_commands.find(name);
    return it == m_commands.end() ? nullptr : &it->second;
}

} // namespace listrion::cli
