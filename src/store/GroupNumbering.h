#pragma once

#include "store/Database.h"

#include <cstdint>

namespace listrion::store {

// Renumbering of group positions (Grupa.broj) 1..n without gaps. Each is one transaction,
// writes only the rows whose position changes and returns their number.

// In the order of the group grid: type, then position (store order for equal positions), so
// the groups of one type form one run.
std::int64_t Zapisi_Nove_Brojeve_Grupa(Database& db);

// In name order, whatever the type.
std::int64_t Zapisi_Nove_Brojeve_Groups_Sort_By_Name(Database& db);

} // namespace listrion::store
