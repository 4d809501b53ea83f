#pragma once

#include "store/Database.h"

#include <cstdint>

namespace listrion::store {

// One-place moves: the row at position b exchanges its position with its neighbour at b-1 (up)
// or b+1 (down). Rows are found by position alone (the first in store order holding it), so
// channel positions must be unique over the whole table. A neighbour or row that is not there
// is a MissingRow error and nothing changes; the callers keep the first row from moving up and
// the last from moving down. Each is one transaction.

// Group up; the position is a 16-bit value. Does nothing and returns false when b-1 is not
// above 0.
bool Pozicija_Nova_Gore_Grupa(Database& db, std::int64_t b);
// Group down; the position is a 16-bit value.
void Pozicija_Nova_Dole_Grupa(Database& db, std::int64_t b);

// Channel up and down; positions are 32-bit values.
void Pozicija_Nova_Gore(Database& db, std::int64_t b);
void Pozicija_Nova_Dole(Database& db, std::int64_t b);

} // namespace listrion::store
