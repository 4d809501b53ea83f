#include "store/Schema.h"

#include "store/FolderLock.h"
#include "store/History.h"
#include "store/SqlError.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace listrion::store::Schema {
int columnNumber(const Database& db, std::string_view table, std::string_view column)
{
    return static_cast<int>(
        db.scalarInt("SELECT cid FROM pragma_table_info(?) WHERE name = ?", -1, table, column));
}

namespace {

// 2: the extras column. 4: the playlist's code page and byte-order mark; İ and ı fold to i.
constexpr int kSchemaVersion = 4;

// Every table and index ensure() makes, by name (names ignore letter case in the engine).
constexpr std::string_view kOtherTables[] = {"Izbrana_Playlista", "SS_Epg", "History_Step",
                                             "History_Data"};
constexpr std::string_view kIndexes[] = {"Playlist_grupa_broj", "Playlist_broj",
                                         "Grupa_grupa",         "Grupa_broj",
                                         "Grupa_type_broj",     "Grupa_Second_grupa"};

std::string lowered(std::string_view name)
{
    std::string out(name);
    for (char& c : out) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return out;
}

std::string textColumn(std::string_view name)
{
    return std::string(name) + " TEXT COLLATE " + kTextCollation;
}

std::string playlistColumns()
{
    return "(izberi INTEGER NOT NULL DEFAULT 0, " + textColumn("grupa") + ", " +
           textColumn("name") + ", " + textColumn("tvgname") + ", " + textColumn("tvgid") + ", " +
           textColumn("link") + ", " + textColumn("logo") + ", broj INTEGER, " +
           textColumn("type") + ", parent_code DEFAULT 0, " + std::string(kExtrasColumn) + " TEXT)";
}

std::string grupaColumns()
{
    return "(izberi INTEGER NOT NULL DEFAULT 0, " + textColumn("grupa") + ", " +
           textColumn("type") + ", count INTEGER, broj INTEGER)";
}

bool hasColumn(const Database& db, std::string_view table, std::string_view column)
{
    return columnNumber(db, table, column) >= 0;
}

// Adding a column with no default only changes the table's definition: the rows stay as they
// are and read NULL for it, so even a store with large backups changes over at once.
void addExtrasColumns(Database& db)
{
    std::vector<std::string> tables(kPlaylistLayoutTables.begin(), kPlaylistLayoutTables.end());
    for (std::string& name : db.tableNames()) {
        if (name.starts_with(kPlaylistBackupPrefix)) {
            tables.push_back(std::move(name));
        }
    }
    tables.emplace_back("Izbrana_Playlista");
    for (const std::string& table : tables) {
        if (!hasColumn(db, table, kExtrasColumn)) {
            db.exec("ALTER TABLE " + quoteIdentifier(table) + " ADD COLUMN " +
                    std::string(kExtrasColumn) + " TEXT");
        }
    }
}

// The code page a playlist was read with and whether its file began with a byte-order mark.
void addCodepageColumns(Database& db)
{
    if (!hasColumn(db, "Izbrana_Playlista", "codepage")) {
        db.exec("ALTER TABLE Izbrana_Playlista ADD COLUMN codepage TEXT");
    }
    if (!hasColumn(db, "Izbrana_Playlista", "bom")) {
        db.exec("ALTER TABLE Izbrana_Playlista ADD COLUMN bom INTEGER NOT NULL DEFAULT 0");
    }
}

} // namespace

void createPlaylistLayoutTable(Database& db, std::string_view name)
{
    db.exec("CREATE TABLE IF NOT EXISTS " + quoteIdentifier(name) + " " + playlistColumns());
}

void createGrupaLayoutTable(Database& db, std::string_view name)
{
    db.exec("CREATE TABLE IF NOT EXISTS " + quoteIdentifier(name) + " " + grupaColumns());
}

void dropPlaylistIndexes(Database& db)
{
    db.exec("DROP INDEX IF EXISTS Playlist_grupa_broj; DROP INDEX IF EXISTS Playlist_broj;");
}

void dropPlaylistGroupIndex(Database& db)
{
    db.exec("DROP INDEX IF EXISTS Playlist_grupa_broj");
}

void createPlaylistIndexes(Database& db)
{
    db.exec("CREATE INDEX IF NOT EXISTS Playlist_grupa_broj ON Playlist(grupa, broj);"
            "CREATE INDEX IF NOT EXISTS Playlist_broj ON Playlist(broj);");
}

SpillingSorts::SpillingSorts(Database& db, int sortKiB)
    : m_db(db), m_tempStore(db.scalarInt("PRAGMA temp_store", 0)),
      m_cacheSize(db.scalarInt("PRAGMA cache_size", -Database::kCacheKiB))
{
    m_db.exec("PRAGMA temp_store=FILE; PRAGMA cache_size=-" + std::to_string(sortKiB));
}

SpillingSorts::~SpillingSorts()
{
    try {
        m_db.exec("PRAGMA temp_store=" + std::to_string(m_tempStore) +
                  "; PRAGMA cache_size=" + std::to_string(m_cacheSize));
    } catch (const std::exception&) {
        // The connection keeps sorting through files: slower, not wrong.
    }
}

void createGrupaIndexes(Database& db)
{
    db.exec("CREATE INDEX IF NOT EXISTS Grupa_grupa ON Grupa(grupa);"
            "CREATE INDEX IF NOT EXISTS Grupa_broj ON Grupa(broj);"
            "CREATE INDEX IF NOT EXISTS Grupa_type_broj ON Grupa(type, broj);");
}

void createPlaylistIndexesAfterLoad(Database& db, int sortKiB)
{
    {
        SpillingSorts spilling(db, sortKiB);
        try {
            createPlaylistIndexes(db);
            return;
        } catch (const SqlError&) {
            // A failed CREATE INDEX leaves nothing behind; it is built again below, in memory.
        }
    }
    createPlaylistIndexes(db);
}

std::vector<std::string> missingParts(const Database& db)
{
    std::set<std::string> present;
    Statement st = db.prepare("SELECT name FROM sqlite_schema WHERE type IN ('table', 'index')");
    while (st.step()) {
        present.insert(lowered(st.columnView(0)));
    }
    std::vector<std::string> missing;
    const auto expect = [&](std::string_view name) {
        if (present.count(lowered(name)) == 0) {
            missing.emplace_back(name);
        }
    };
    std::for_each(kPlaylistLayoutTables.begin(), kPlaylistLayoutTables.end(), expect);
    std::for_each(kGrupaLayoutTables.begin(), kGrupaLayoutTables.end(), expect);
    std::for_each(std::begin(kOtherTables), std::end(kOtherTables), expect);
    std::for_each(std::begin(kIndexes), std::end(kIndexes), expect);
    if (missing.empty() && db.scalarInt("PRAGMA user_version", 0) != kSchemaVersion) {
        missing.emplace_back("the current layout (user_version " + std::to_string(kSchemaVersion) +
                             ")");
    }
    return missing;
}

void dropStagingIndex(Database& db)
{
    db.exec("DROP INDEX IF EXISTS Playlist_Second_grupa");
}

void ensure(Database& db)
{
    const std::int64_t version = db.scalarInt("PRAGMA user_version", 0);
    if (missingParts(db).empty()) {
        return;
    }
    Transaction tx(db);
    // Version 4 folds İ and ı: indexes built before order such names differently.
    if (version > 0 && version < 4) {
        db.exec(std::string("REINDEX ") + kTextCollation);
    }
    for (std::string_view name : kPlaylistLayoutTables) {
        createPlaylistLayoutTable(db, name);
    }
    for (std::string_view name : kGrupaLayoutTables) {
        createGrupaLayoutTable(db, name);
    }
    db.exec(std::string("CREATE TABLE IF NOT EXISTS Izbrana_Playlista (") + textColumn("Ime") +
            ", " + std::string(kExtrasColumn) + " TEXT);" + "CREATE TABLE IF NOT EXISTS SS_Epg (" +
            textColumn("ssepgurl") + ");");
    addExtrasColumns(db);
    addCodepageColumns(db);
    History::ensureTables(db);
    createPlaylistIndexes(db);
    createGrupaIndexes(db);
    db.exec("CREATE INDEX IF NOT EXISTS Grupa_Second_grupa ON Grupa_Second(grupa)");
    db.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
    tx.commit();
}

Database open(const std::filesystem::path& file)
{
    Database db(file);
    ensure(db);
    return db;
}

Database openForReading(const std::filesystem::path& file)
{
    // A connection that may write folds the log into the file and removes it when it closes as
    // the last one; a read-only one would leave the log files of its reading in the folder.
    if (!storeIsReadOnly(file)) {
        return open(file);
    }
    return Database(file, Database::Mode::ReadOnly);
}

} // namespace listrion::store::Schema
