#include "editing/StoreEvents.h"

#include "store/TextCollation.h"

#include <algorithm>

namespace listrion::editing {

bool StoreChange::touchesGroup(const std::string& name) const
{
    if (has(Playlist)) {
        return true;
    }
    if (!has(ChannelRows)) {
        return false;
    }
    if (groups.empty()) {
        return true;
    }
    return std::any_of(groups.begin(), groups.end(),
                       [&name](const std::string& g) { return store::compareText(g, name) == 0; });
}

StoreEvents::StoreEvents(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<StoreChange>();
}

void StoreEvents::publish(const StoreChange& change)
{
    if (!change.empty()) {
        emit changed(change);
    }
}

} // namespace listrion::editing
