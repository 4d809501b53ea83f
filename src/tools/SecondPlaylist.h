#pragma once

#include "playlist/LoadResult.h"
#include "playlist/PlaylistOpening.h"
#include "playlist/Progress.h"

#include <filesystem>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// The second playlist of a merge, read into the staging tables Playlist_Second and Grupa_Second
// by the main reader's loop with the merge reader's type rule. The open playlist (its working
// tables, its undo snapshot, its header) is not touched.

// Empties both staging tables. One transaction.
void emptyStaging(store::Database& db);

// Prikazi_Kanale of the merge window: empties the staging tables and reads `file` into them,
// through temp.m3u when its first line is too long to be a line of its own. Channels get the
// numbers 1, 2, 3, ... in file order, groups the order in which they are first met. Rows read
// before a stop or an error stay; the staged groups are counted however the run ends. Opens
// its own connection to options.dataMdb, so it may run on a worker thread; throws nothing. A
// missing or unreadable file, or one holding binary data, gives SourceMissing or
// SourceUnreadable with the staging tables as they were.
playlist::LoadResult stageSecondPlaylist(const std::filesystem::path& file,
                                         const playlist::OpenOptions& options,
                                         playlist::ProgressObserver* observer);

} // namespace listrion::tools
