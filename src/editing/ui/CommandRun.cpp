#include "editing/ui/CommandRun.h"

#include "controls/BackgroundRun.h"

#include <QApplication>

#include <exception>

namespace listrion::editing::ui {

bool runStoreWork(const EditingContext& context, const std::string& name,
                  const std::function<void(store::Database&)>& command)
{
    // On a large playlist a command can take seconds (a copy renumbers every channel after it):
    // it runs on its own connection while the windows keep repainting, and a Cancel rolls it
    // back.
    return controls::runInBackground(QApplication::activeWindow(), context.db.file(),
                                     "Please wait. Playlist is loading...", name,
                                     [&](store::Database& worker) { command(worker); });
}

bool runCommand(const EditingContext& context, const std::string& name,
                const std::function<void(store::Database&)>& command)
{
    try {
        return runStoreWork(context, name, command);
    } catch (const std::exception& error) {
        context.prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
}

std::string inQuotes(const std::string& name)
{
    return "'" + name + "'";
}

void publishChange(const EditingContext& context, unsigned parts, std::vector<std::string> groups)
{
    StoreChange change;
    change.parts = parts;
    change.groups = std::move(groups);
    context.events.publish(change);
}

} // namespace listrion::editing::ui
