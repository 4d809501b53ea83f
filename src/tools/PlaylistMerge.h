#pragma once

#include <cstdint>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

struct MergeResult {
    std::int64_t channels = 0; // channels appended
    std::int64_t groups = 0;   // groups added
    std::int64_t renamed = 0;  // of those, groups that got another name
};

// Merge_Playlist: the staged second playlist joins the open one. Its groups follow the open
// playlist's groups in their staged order, each with its number of channels; a group whose name
// the open playlist already has (letter case and trailing blanks aside) is given the name with
// "2" appended, or "3", "4", ... when that is taken as well (by a group of either playlist), so
// no two groups share a name. Every staged channel is appended to its group; then the groups are
// numbered 1..n in position order and every channel afresh, counting from the open playlist's
// lowest number (1, or 2 after a load that met a header line), so channel numbers stay unique
// and a million channels that are numbered in order already are not written again. The staging
// tables keep their rows. One transaction; nothing happens when nothing is staged.
MergeResult mergeSecondPlaylist(store::Database& db);

} // namespace listrion::tools
