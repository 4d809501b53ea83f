#pragma once

#include "store/Database.h"

#include <string>
#include <vector>

namespace listrion::store {

// The checks of a whole store (listrion-cli check), read in one consistent view: the engine's
// own integrity check, run with the store's text collation registered (the indexes on text
// columns are ordered by it), then the rules every command keeps: every table and index
// present, one Grupa row per group name, a group row for every channel (in the working tables
// and in the undo snapshot), each stored count equal to the group's number of channels, one
// channel per position, and no step data of the history without its step. One line per
// problem found; none when the store is sound.
std::vector<std::string> checkStore(Database& db);

} // namespace listrion::store
