#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// The search's commands on the store, shared by the search window and the command line. A name
// matches a search text when it contains the text, letter case aside as the store compares
// text, every character of the text taken as itself.

// The row ids of the matching channels, by group name, then name, then position; none for the
// empty text.
std::vector<std::int64_t> searchChannels(const store::Database& db, std::string_view text);

// Ticks (or unticks) every channel whose name matches `text`, shown or not. One transaction;
// returns the number of channels whose tick changed.
std::int64_t setSearchTicks(store::Database& db, std::string_view text, bool ticked);

} // namespace listrion::tools
