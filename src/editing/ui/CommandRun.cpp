#include "editing/ui/CommandRun.h"

#include "store/History.h"

#include <exception>

namespace listrion::editing::ui {

bool runCommand(const EditingContext& context, const std::string& name,
                const std::function<void(store::Database&)>& command)
{
    try {
        const store::StepName step(context.db, name);
        command(context.db);
    } catch (const std::exception& error) {
        context.prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
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
