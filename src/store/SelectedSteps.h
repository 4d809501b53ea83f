#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace listrion::store {

// Moves every ticked channel of one group one place up or down. The walk goes over the group in
// position order and exchanges each ticked channel with the channel next to it, so a run of
// adjacent ticked channels moves as one block. Each is one transaction.
struct SelectedStep {
    // The zero-based grid row to reselect after the move, when the move chose one; the caller
    // stores it under PozicijaUP (up) or PozicijaDown (down) in Settings.ini.
    std::optional<std::int64_t> rememberedRow;
    std::int64_t moved = 0;      // ticked channels that changed places
    std::int64_t renumbered = 0; // rows whose position changed
};

// Up: a ticked channel already at the group's first position stays. The remembered row is the
// row the first moved channel occupies after the move, unless that is row 0, in which case the
// next moved channel's row replaces it. A channel directly above that is missing is a
// MissingRow error and nothing changes.
SelectedStep Pozicija_Nova_Gore_Sve(Database& db, std::string_view grupa);

// Down: only ticked channels whose position is below that of the group's last channel in store
// order move; the remembered row is the row the bottom-most of them occupies after the move. A
// channel with no channel directly below it stays where it is.
SelectedStep Pozicija_Nova_Dole_Sve(Database& db, std::string_view grupa);

} // namespace listrion::store
