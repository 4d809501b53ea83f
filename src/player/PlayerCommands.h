#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace listrion::player {

// The groups of the player's group list (ComboGroup), in position order.
std::vector<std::string> groupsByPosition(const store::Database& db);

// The player's delete button: deletes one channel row and stores its group's new number of
// channels; positions are not renumbered. One transaction. Returns the channel's group, or
// nothing when the row was already gone.
std::optional<std::string> deletePlayedChannel(store::Database& db, std::int64_t rowId);

} // namespace listrion::player
