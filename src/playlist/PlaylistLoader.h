#pragma once

#include "playlist/LineReader.h"
#include "playlist/LoadResult.h"
#include "playlist/LoadRows.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"
#include "store/Tables.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// One reading run of a playlist file, as the loading window does it: a first pass counts the
// lines, the second reads them into the incoming tables (store::IncomingTables), and at the end
// what was read is swapped in for the open playlist in one transaction, with its indexes, counts
// and undo snapshot. The open playlist stays as it was until then; it also stays when the run
// fails, when the file changed while it was read, when it held no entries, and when Cancel
// comes before anything was read or while the swap runs. A Cancel while reading (or the limit)
// swaps in the rows read so far. A run into the staging tables Playlist_Second and
// Grupa_Second, as the merge window does it, fills them directly, touches neither the open
// playlist nor its snapshot and ends with the staged groups counted. Uses only the connection
// it is given (its caller's own, on the caller's thread) and reports through the observer.
class PlaylistLoader {
public:
    PlaylistLoader(store::Database& db, ReaderOptions options, std::filesystem::path tempM3u,
                   ProgressObserver* observer, LoadTables tables = LoadTables::Working);

    // A file the user chose. A line over 500 characters before the first #EXTINF: line sends
    // the file through temp.m3u first (Prikazi_Kanale2). `source` is what the store records as
    // the chosen playlist.
    LoadResult Prikazi_Kanale(const std::filesystem::path& file, const std::string& source);
    // temp.m3u just downloaded; no line-break test.
    LoadResult Prikazi_Kanale_Link(const std::filesystem::path& file, const std::string& source);

    // True when the run wrote temp.m3u (the restructure path, or a UTF-16 file converted).
    bool wroteTempM3u() const { return m_restructured || m_converted; }

private:
    // Decides how the file's bytes become text (a UTF-16 file is converted into temp.m3u) and
    // what an open records with the playlist: the file to read, or nothing when the run ends here.
    std::optional<std::filesystem::path> prepareText(const std::filesystem::path& file,
                                                     LoadResult& result);

    struct Count {
        std::int64_t lines = 0;
        LineReader::Stamp stamp;
    };

    LoadResult Prikazi_Kanale2(const std::filesystem::path& file);
    // One pass over the lines; `restructure` tells that the line-break test failed before
    // anything was stored.
    LoadResult read(const std::filesystem::path& file, bool lineBreakTest, bool& restructure);
    bool readLines(const std::filesystem::path& file, const Count& count, bool lineBreakTest,
                   LoadResult& result);
    std::optional<Count> countLines(const std::filesystem::path& file, LoadResult& result);
    void finish(LoadResult& result, const std::string& source);
    void swapIn(LoadResult& result, const std::string& source);
    void dropLoadTables(LoadResult& result);
    void storeStagedCounts(LoadResult& result);

    store::Database& m_db;
    ReaderOptions m_options;
    std::filesystem::path m_tempM3u;
    ProgressObserver* m_observer;
    LoadTables m_tables;
    bool m_staged = false;       // the load tables were made
    bool m_restructured = false; // read through temp.m3u
    bool m_converted = false;    // a UTF-16 file converted into temp.m3u
    std::string m_headerExtras;
    std::optional<store::PlaylistCodepage> m_codepage; // what an open read the file with
};

} // namespace listrion::playlist
