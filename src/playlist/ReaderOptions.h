#pragma once

#include "playlist/Codepage.h"
#include "playlist/PlaylistMode.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace listrion::playlist {

// How a reading run gives an entry its type. Main: "VOD" or "Live" by the extension of the link
// (GetStreamType). Merge, the reader of a second playlist: "Radio" for an entry with a radio
// attribute, else by the end of the link's last part (GetMergeStreamType).
enum class TypeRule { Main, Merge };

// What a reading run is told by its caller (who reads them from Settings.ini).
struct ReaderOptions {
    // The loading window's limit: it starts at 700,000 entries and moves in steps of 20,000
    // between 20,000 and 700,000; "unlimited" switches it off.
    static constexpr std::int64_t kDefaultLimit = 700000;
    static constexpr std::int64_t kLimitStep = 20000;
    static constexpr std::int64_t kSmallestLimit = 20000;
    static constexpr std::int64_t kNoLimit = 0;

    const Codepage* codepage = &Codepage::windows1250();
    std::string region = "Central European";
    // The run stops before a line once the entries counter has reached it; kNoLimit for none.
    std::int64_t limit = kNoLimit;
    // When set, the limit is read from here before each line instead, so that a window can
    // move it while the run goes on (the loading window's limit buttons). Must outlive the run.
    const std::atomic<std::int64_t>* liveLimit = nullptr;
    // Full: each channel's extras and the header's attributes are kept in the store.
    PlaylistMode mode = PlaylistMode::Full;
    TypeRule typeRule = TypeRule::Main;
};

} // namespace listrion::playlist
