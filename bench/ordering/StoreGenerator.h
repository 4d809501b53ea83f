#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace listrion::bench {

struct GeneratedGroup {
    std::string name;
    std::string type;
    std::int64_t channels = 0;
};

// Fills an empty store with `groups` groups of Zipf-like sizes (the k-th largest holds about
// 1/k of the largest) adding up to `channels` channels, numbered as after a full renumbering,
// and takes the undo snapshot, as a loaded playlist has it.
std::vector<GeneratedGroup> generateStore(store::Database& db, std::int64_t channels, int groups);

} // namespace listrion::bench
