#include "store/Schema.h"

#include "store/SqlError.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <string>

namespace listrion::store::Schema {
namespace {

constexpr int kSchemaVersion = 1;

std::string textColumn(std::string_view name)
{
    return std::string(name) + " TEXT COLLATE " + kTextCollation;
}

std::string playlistColumns()
{
    return "(izberi INTEGER NOT NULL DEFAULT 0, " + textColumn("grupa") + ", " +
           textColumn("name") + ", " + textColumn("tvgname") + ", " + textColumn("tvgid") + ", " +
           textColumn("link") + ", " + textColumn("logo") + ", broj INTEGER, " +
           textColumn("type") + ", parent_code DEFAULT 0)";
}

std::string grupaColumns()
{
    return "(izberi INTEGER NOT NULL DEFAULT 0, " + textColumn("grupa") + ", " +
           textColumn("type") + ", count INTEGER, broj INTEGER)";
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
    const std::string usual =
        "PRAGMA temp_store=MEMORY; PRAGMA cache_size=-" + std::to_string(Database::kCacheKiB);
    db.exec("PRAGMA temp_store=FILE; PRAGMA cache_size=-" + std::to_string(sortKiB));
    try {
        createPlaylistIndexes(db);
    } catch (const SqlError&) {
        // A failed CREATE INDEX leaves nothing behind: build again, sorting in memory.
        db.exec(usual);
        createPlaylistIndexes(db);
        return;
    } catch (...) {
        db.exec(usual);
        throw;
    }
    db.exec(usual);
}

void ensure(Database& db)
{
    if (db.scalarInt("PRAGMA user_version", 0) == kSchemaVersion) {
        return;
    }
    Transaction tx(db);
    for (std::string_view name : kPlaylistLayoutTables) {
        createPlaylistLayoutTable(db, name);
    }
    for (std::string_view name : kGrupaLayoutTables) {
        createGrupaLayoutTable(db, name);
    }
    db.exec(std::string("CREATE TABLE IF NOT EXISTS Izbrana_Playlista (") + textColumn("Ime") +
            ");" + "CREATE TABLE IF NOT EXISTS SS_Epg (" + textColumn("ssepgurl") + ");");
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
