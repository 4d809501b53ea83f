#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace listrion::store {

// Which rows a tick command works on: every row (`all`) or the rows at the given positions,
// in both cases limited to the rows of one group name when `grupa` is set.
struct TickTarget {
    std::optional<std::string> grupa;
    std::vector<std::int64_t> positions;
    bool all = false;
};

// Sets or clears `izberi` of the channels (Playlist) or groups (Grupa) the target names. One
// transaction; returns the number of rows whose tick changed.
std::int64_t setChannelTicks(Database& db, const TickTarget& target, bool ticked);
std::int64_t setGroupTicks(Database& db, const TickTarget& target, bool ticked);

} // namespace listrion::store
