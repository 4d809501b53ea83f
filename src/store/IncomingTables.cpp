#include "store/IncomingTables.h"

#include "store/History.h"
#include "store/Schema.h"
#include "store/SqlError.h"
#include "store/Transaction.h"

#include <sqlite3.h>

#include <vector>

namespace listrion::store::IncomingTables {
namespace {

void dropIfPresent(Database& db)
{
    for (std::string_view table : {kPlaylist, kGrupa, kPlaylistSnapshot}) {
        if (db.tableExists(table)) {
            db.dropTable(table);
        }
    }
}

void dropNamedBackups(Database& db)
{
    // Collect first, then drop: dropping changes the table list being walked.
    std::vector<std::string> names;
    for (std::string& name : db.tableNames()) {
        if (name.starts_with(Schema::kPlaylistBackupPrefix) ||
            name.starts_with(Schema::kGrupaBackupPrefix)) {
            names.push_back(std::move(name));
        }
    }
    for (const std::string& name : names) {
        db.dropTable(name);
    }
}

void recordSource(Database& db, const Source& source)
{
    db.exec("DELETE FROM Izbrana_Playlista; DELETE FROM SS_Epg;");
    Statement chosen = db.prepare(
        "INSERT INTO Izbrana_Playlista (Ime, extras, codepage, bom) VALUES (?, ?, ?, ?)");
    chosen.bind(1, source.chosen);
    if (source.headerExtras.empty()) {
        chosen.bindNull(2);
    } else {
        chosen.bind(2, source.headerExtras);
    }
    if (source.codepage) {
        chosen.bind(3, source.codepage->name);
        chosen.bind(4, source.codepage->bom);
    } else {
        chosen.bindNull(3);
        chosen.bind(4, false);
    }
    chosen.run();
    if (source.emptySecond) {
        db.exec("DELETE FROM Playlist_Second; DELETE FROM Grupa_Second;");
    }
}

void swap(Database& db, const Source& source)
{
    Transaction tx(db);
    const HistoryPause pause(db);
    History::clear(db);
    dropNamedBackups(db);
    recordSource(db, source);
    db.exec("DROP TABLE Playlist; DROP TABLE Grupa; DROP TABLE Playlist_backup;"
            "ALTER TABLE Playlist_Load RENAME TO Playlist;"
            "ALTER TABLE Grupa_Load RENAME TO Grupa;"
            "ALTER TABLE Playlist_backup_Load RENAME TO Playlist_backup;");
    Schema::createPlaylistIndexes(db);
    Schema::createGrupaIndexes(db);
    // Counted through the new index; the group rows of the snapshot are copied with them.
    db.exec("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist "
            "WHERE Playlist.grupa = Grupa.grupa);"
            "DELETE FROM Grupa_backup; INSERT INTO Grupa_backup SELECT * FROM Grupa;");
    tx.commit();
}

} // namespace

void prepare(Database& db)
{
    Transaction tx(db);
    dropIfPresent(db);
    Schema::createPlaylistLayoutTable(db, kPlaylist);
    Schema::createGrupaLayoutTable(db, kGrupa);
    tx.commit();
}

void copySnapshot(Database& db)
{
    Transaction tx(db);
    if (db.tableExists(kPlaylistSnapshot)) {
        db.dropTable(kPlaylistSnapshot);
    }
    Schema::createPlaylistLayoutTable(db, kPlaylistSnapshot);
    db.exec("INSERT INTO Playlist_backup_Load SELECT * FROM Playlist_Load");
    tx.commit();
}

bool present(const Database& db)
{
    return db.tableExists(kPlaylist) || db.tableExists(kGrupa) || db.tableExists(kPlaylistSnapshot);
}

void drop(Database& db)
{
    Transaction tx(db);
    dropIfPresent(db);
    tx.commit();
}

void swapIn(Database& db, const Source& source)
{
    // The index builds sort through temporary files in small pieces (see
    // Schema::createPlaylistIndexesAfterLoad); where no temporary file can be made, the swap
    // runs again sorting in memory.
    try {
        const Schema::SpillingSorts spilling(db, Schema::kBulkSortKiB);
        swap(db, source);
        return;
    } catch (const SqlError& e) {
        if ((e.code() & 0xff) == SQLITE_INTERRUPT || (e.code() & 0xff) == SQLITE_FULL) {
            throw;
        }
    }
    swap(db, source);
}

} // namespace listrion::store::IncomingTables
