#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string_view>

namespace listrion::store {

// The routines that keep a group's `count` (its number of channels) and `type` in step with
// its channels. Each is one transaction.

// Every group gets its number of channels as `count`; a group without channels keeps its old
// count. Returns the number of group rows changed.
std::int64_t Zapisi_Stevilo_Grupa(Database& db);

// Which channel gives a group its type in Osvezi_Grupu: the main window takes the group's first
// channel in store order, the editors take the last one.
enum class GroupTypeFrom { FirstChannel, LastChannel };

// The name the editors use for "no group"; Osvezi_Grupu leaves it alone.
inline constexpr std::string_view kNoGroupName = "...";

// Stores the group's number of channels and the type of one of its channels in the first group
// row of that name (store order). The main window's copy writes 0 and the empty type for a group
// without channels; the editors' copy writes nothing then. Nothing happens for kNoGroupName.
// Returns true when the row's values changed.
bool Osvezi_Grupu(Database& db, std::string_view grupa, GroupTypeFrom typeFrom);

// Stores the number of the group's channels in the group row of that name with the lowest
// position, unless the group has no channels (its old count stays). Returns true when the
// count changed.
bool Osvezi_Stevilo_Grupe(Database& db, std::string_view grupa);

} // namespace listrion::store
