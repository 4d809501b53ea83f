#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace listrion::tools {

struct BrokenDeletion {
    std::int64_t channels = 0;       // channel rows deleted
    std::int64_t groupsRemoved = 0;  // groups left without channels, and removed
    std::vector<std::string> groups; // the groups that lost channels, removed ones included
};

// cmdDelete_broken: deletes every ticked channel (whoever ticked it), then recounts the groups,
// removes the groups the deletion emptied and renumbers groups and channels. One transaction.
BrokenDeletion deleteBrokenChannels(store::Database& db);

} // namespace listrion::tools
