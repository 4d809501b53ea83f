#pragma once

#include "store/Database.h"

#include <cstdint>

namespace listrion::store {

// Renumbering of group positions (Grupa.broj) 1..n without gaps. Each is one transaction,
// writes only the rows whose position changes and returns their number.

// In the order of the group grid: type, then position (store order for equal positions), so
// the groups of one type form one run.
std::int64_t Zapisi_Nove_Brojeve_Grupa(Database& db);

// In position order alone, whatever the type (the renumbering after a group is deleted with the
// Delete key or in the group editor, and after a group is moved to the top or the bottom). The
// counter is a 16-bit value.
std::int64_t renumberGroupsByPosition(Database& db);

// In name order, whatever the type.
std::int64_t Zapisi_Nove_Brojeve_Groups_Sort_By_Name(Database& db);

} // namespace listrion::store
