#include "store/Schema.h"

#include "store/History.h"

#include "store/SqlError.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <string>
#include <vector>

namespace listrion::store::Schema {
namespace {

// 2: the extras column. 4: the playlist's code page and byte-order mark; İ and ı fold to i.
constexpr int kSchemaVersion = 4;

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

// For as long as it lives, the connection's sorts spill to temporary files once they hold
// more than `sortKiB`; its own temp_store and cache size come back afterwards.
class SpillingSorts {
public:
    SpillingSorts(Database& db, int sortKiB)
        : m_db(db), m_tempStore(db.scalarInt("PRAGMA temp_store", 0)),
          m_cacheSize(db.scalarInt("PRAGMA cache_size", -Database::kCacheKiB))
    {
        m_db.exec("PRAGMA temp_store=FILE; PRAGMA cache_size=-" + std::to_string(sortKiB));
    }
    ~SpillingSorts()
    {
        try {
            m_db.exec("PRAGMA temp_store=" + std::to_string(m_tempStore) +
                      "; PRAGMA cache_size=" + std::to_string(m_cacheSize));
        } catch (const std::exception&) {
            // The connection keeps sorting through files: slower, not wrong.
        }
    }
    SpillingSorts(const SpillingSorts&) = delete;
    SpillingSorts& operator=(const SpillingSorts&) = delete;

private:
    Database& m_db;
    std::int64_t m_tempStore;
    std::int64_t m_cacheSize;
};

bool hasColumn(const Database& db, std::string_view table, std::string_view column)
{
    return db.scalarInt("SELECT count(*) FROM pragma_table_info(?) WHERE name = ?", 0, table,
                        column) != 0;
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

void dropStagingIndex(Database& db)
{
    db.exec("DROP INDEX IF EXISTS Playlist_Second_grupa");
}

void createStagingIndexAfterLoad(Database& db)
{
    const SpillingSorts spilling(db, kBulkSortKiB);
    db.exec("CREATE INDEX IF NOT EXISTS Playlist_Second_grupa ON Playlist_Second(grupa)");
}

void ensure(Database& db)
{
    const std::int64_t version = db.scalarInt("PRAGMA user_version", 0);
    if (version == kSchemaVersion) {
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
    db.exec("CREATE INDEX IF NOT EXISTS Grupa_grupa ON Grupa(grupa);"
            "CREATE INDEX IF NOT EXISTS Grupa_broj ON Grupa(broj);"
            "CREATE INDEX IF NOT EXISTS Grupa_type_broj ON Grupa(type, broj);"
            "CREATE INDEX IF NOT EXISTS Playlist_Second_grupa ON Playlist_Second(grupa);"
            "CREATE INDEX IF NOT EXISTS Grupa_Second_grupa ON Grupa_Second(grupa);");
    db.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
    tx.commit();
}

Database open(const std::filesystem::path& file)
{
    Database db(file);
    ensure(db);
    return db;
}

} // namespace listrion::store::Schema
