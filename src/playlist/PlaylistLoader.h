#pragma once

#include "playlist/LoadResult.h"
#include "playlist/LoadRows.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// One reading run of a playlist file into Playlist and Grupa, as the loading window does it, or
// into the staging tables Playlist_Second and Grupa_Second, as the merge window does it:
// a first pass counts the lines, the second reads them. However the run ends (normally,
// Cancel, the limit or an error) it ends the same way: the undo snapshot is written of
// exactly what was stored, and the Playlist(grupa, broj) index, dropped for the run, is
// rebuilt (Playlist(broj) is kept: the rows arrive in broj order). A run into the staging tables
// touches neither the working tables nor the snapshot and ends with the staged groups counted.
// Uses
// only the connection it is given (its caller's own, on the caller's thread) and reports
// through the observer.
class PlaylistLoader {
public:
    PlaylistLoader(store::Database& db, ReaderOptions options, std::filesystem::path tempM3u,
                   ProgressObserver* observer, LoadTables tables = LoadTables::Working);

    // A file the user chose. A line over 500 characters before the first #EXTINF: line sends
    // the file through temp.m3u first (Prikazi_Kanale2).
    LoadResult Prikazi_Kanale(const std::filesystem::path& file);
    // temp.m3u just downloaded; no line-break test.
    LoadResult Prikazi_Kanale_Link(const std::filesystem::path& file);

private:
    // Decides how the file's bytes become text (a UTF-16 file is converted into temp.m3u) and
    // records it with the playlist: the file to read, or nothing when the run ends here.
    std::optional<std::filesystem::path> prepareText(const std::filesystem::path& file,
                                                     LoadResult& result);
    LoadResult Prikazi_Kanale2(const std::filesystem::path& file);
    // One pass over the lines; `restructure` tells that the line-break test failed before
    // anything was stored.
    LoadResult read(const std::filesystem::path& file, bool lineBreakTest, bool& restructure);
    bool readLines(const std::filesystem::path& file, bool lineBreakTest, LoadResult& result);
    std::optional<std::int64_t> countLines(const std::filesystem::path& file);
    void finish(LoadResult& result);
    void writeUndoSnapshot(LoadResult& result);
    void rebuildIndexes(LoadResult& result);
    void storeCounts(LoadResult& result);
    void storeStagedCounts(LoadResult& result);

    store::Database& m_db;
    ReaderOptions m_options;
    std::filesystem::path m_tempM3u;
    ProgressObserver* m_observer;
    LoadTables m_tables;
};

} // namespace listrion::playlist
