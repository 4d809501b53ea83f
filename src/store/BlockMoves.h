#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string_view>

namespace listrion::store {

// Moves every ticked row to the top or the bottom as one block: the ticked channels of one group
// within the group's range, or the ticked groups among all groups (whatever their type). The
// block keeps its rows in store order; the other rows keep their order. Afterwards no row of the
// table is ticked. Each is one transaction; nothing happens when there are no rows.
struct BlockMove {
    std::int64_t moved = 0;      // ticked rows moved as the block
    std::int64_t renumbered = 0; // rows whose position changed
    std::int64_t unticked = 0;   // rows whose tick was cleared
};

BlockMove Premakni_Sve_Na_Vrh(Database& db, std::string_view grupa);
BlockMove Premakni_Sve_Na_Dno(Database& db, std::string_view grupa);
BlockMove Premakni_Sve_Na_Vrh_Grupa(Database& db);
BlockMove Premakni_Sve_Na_Dno_Grupa(Database& db);

} // namespace listrion::store
