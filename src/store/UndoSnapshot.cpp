#include "store/UndoSnapshot.h"

#include "store/History.h"
#include "store/Schema.h"
#include "store/Transaction.h"

namespace listrion::store {

void takeUndoSnapshot(Database& db)
{
    Transaction tx(db);
    db.exec("DELETE FROM Grupa_backup; DELETE FROM Playlist_backup;"
            "INSERT INTO Grupa_backup SELECT * FROM Grupa;"
            "INSERT INTO Playlist_backup SELECT * FROM Playlist;");
    tx.commit();
}

bool hasUndoSnapshot(const Database& db)
{
    return db.scalarInt("SELECT EXISTS (SELECT 1 FROM Grupa_backup)", 0) != 0;
}

RestoreResult Restore(Database& db, RestoreForm form)
{
    Transaction tx(db);
    if (!hasUndoSnapshot(db)) {
        return RestoreResult::NoSnapshot;
    }
    History::recordReplacement(db, db.stepName(),
                               form == RestoreForm::MainWindow
                                   ? History::Replacement::SnapshotMainWindow
                                   : History::Replacement::SnapshotEditor);
    const HistoryPause pause(db);
    replaceWithSnapshot(db, form);
    tx.commit();
    return RestoreResult::Restored;
}

void replaceWithSnapshot(Database& db, RestoreForm form)
{
    db.exec("DELETE FROM Grupa; DELETE FROM Playlist;");
    if (form == RestoreForm::MainWindow) {
        db.exec("DELETE FROM Playlist_Second; DELETE FROM SS_Epg;");
    }
    // Into an empty table without indexes the engine copies the stored rows as they are, with
    // their rowids (so the store order is kept); indexing afterwards is much faster than
    // keeping the indexes up to date row by row.
    Schema::dropPlaylistIndexes(db);
    db.exec("INSERT INTO Grupa SELECT * FROM Grupa_backup;"
            "INSERT INTO Playlist SELECT * FROM Playlist_backup;");
    Schema::createPlaylistIndexes(db);
}

} // namespace listrion::store
