#pragma once

#include "store/Database.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {

// The tables of data.mdb. Tables of one layout have the same columns in the same order, so
// "INSERT INTO a SELECT * FROM b" copies between them.
namespace Schema {

// izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, parent_code, extras. The named
// backups (Playlist_Backup_NN) have this layout too.
inline constexpr std::array<std::string_view, 10> kPlaylistLayoutTables = {
    "Playlist",         "Playlist_backup",       "Playlist_backup2",
    "Playlist_backup3", "Playlist_backup4",      "Playlist_backup5",
    "Playlist_backup6", "Playlist_grupa_backup", "Playlist_backup_all",
    "Playlist_Second"};

// izberi, grupa, type, count, broj
inline constexpr std::array<std::string_view, 8> kGrupaLayoutTables = {
    "Grupa",         "Grupa_backup",  "Grupa_backup2", "Grupa_backup3",
    "Grupa_backup4", "Grupa_backup5", "Grupa_backup6", "Grupa_Second"};

// The last column of the channel layout and of Izbrana_Playlista: what a playlist file holds
// beyond the other columns, kept so that saving can write it back (NULL when there is nothing).
// For a channel, the #EXTINF: attributes the reader does not take into a column, then each
// option line met between the #EXTINF: line and the address, then an address line that gave no
// link, all separated by LF (playlist::Extras); for the playlist, the attributes of its #EXTM3U
// header other than x-tvg-url.
inline constexpr std::string_view kExtrasColumn = "extras";

// Prefixes of the named backup tables; compared with exact letter case.
inline constexpr std::string_view kPlaylistBackupPrefix = "Playlist_Backup_";
inline constexpr std::string_view kGrupaBackupPrefix = "Grupa_Backup_";

// SQL condition that is true when a channel row carries a parental code: an integer other than
// 0 (as the reader stores it) or non-empty text (the digits a user typed).
inline constexpr std::string_view kHasParentCode =
    "((typeof(parent_code)='integer' AND parent_code<>0) OR "
    "(typeof(parent_code)='text' AND parent_code<>''))";

// Opens a playlist store, creating every missing table and index; existing rows are kept. A
// store written before the extras column existed gets it in every table of the channel layout
// (named backups included) and in Izbrana_Playlista, holding NULL.
Database open(const std::filesystem::path& file);

// Opens a playlist store for a command that only reads it. A store that cannot be written
// (store::storeIsReadOnly) is read as it is through a Database::Mode::ReadOnly connection;
// any other is opened as open() does (a missing part repaired, a missing file created empty).
Database openForReading(const std::filesystem::path& file);

// Creates missing tables and indexes on an open connection. Cheap when nothing is missing (one
// look at the schema), so it runs at every start: an index or a table that an interrupted
// program left missing comes back before anything else uses the store.
void ensure(Database& db);

// The position of `column` in `table` (0 for the first), or -1 when the table has no such
// column.
int columnNumber(const Database& db, std::string_view table, std::string_view column);

// The tables and indexes of the store that `db` lacks (empty when it has them all and its
// layout is the current one).
std::vector<std::string> missingParts(const Database& db);

void createPlaylistLayoutTable(Database& db, std::string_view name);
void createGrupaLayoutTable(Database& db, std::string_view name);

// The indexes of the working Playlist table; a bulk load drops them and builds them afterwards.
void dropPlaylistIndexes(Database& db);
void createPlaylistIndexes(Database& db);
// Drops Playlist(grupa, broj) only. A load that appends rows in broj order keeps
// Playlist(broj), which then grows at its end, cheaper than building it afterwards;
// createPlaylistIndexes builds what is missing.
void dropPlaylistGroupIndex(Database& db);

// The indexes of Grupa.
void createGrupaIndexes(Database& db);

// The staging table Playlist_Second has no index: the merge reader and the merge read it whole,
// in store order. Stores made before keep one on the group names, dropped before each staging.
void dropStagingIndex(Database& db);

// Memory the sort of an index build after a load may use before it spills (KiB).
inline constexpr int kBulkSortKiB = 16384;

// For as long as it lives, the connection's sorts spill to temporary files once they hold
// more than `sortKiB` (the engine sorts on its worker threads only then), and its page cache is
// as small; its own settings come back afterwards. Made and ended outside a transaction (the
// engine changes where temporary data goes only then).
class SpillingSorts {
public:
    SpillingSorts(Database& db, int sortKiB);
    ~SpillingSorts();
    SpillingSorts(const SpillingSorts&) = delete;
    SpillingSorts& operator=(const SpillingSorts&) = delete;

private:
    Database& m_db;
    std::int64_t m_tempStore;
    std::int64_t m_cacheSize;
};
// createPlaylistIndexes for a table that was just filled, outside a transaction. The engine
// sorts on its worker threads only when the sort may spill to temporary files and outgrows
// its memory, so for the build the connection sorts through files with at most
// `sortKiB` in memory; a million rows are then indexed in less time and memory. Where no
// temporary file can be made, the build sorts in memory as usual. The connection's usual
// settings come back in either case.
void createPlaylistIndexesAfterLoad(Database& db, int sortKiB = kBulkSortKiB);

} // namespace Schema
} // namespace listrion::store
