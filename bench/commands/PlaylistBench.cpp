// The playlist-wide commands on the large store: a full renumbering (nothing to change, and every
// number changing), undo of all changes, restoring a numbered copy, and the exit's compaction
// (its test, and the rewrite itself). Each runs as the windows run it, history included.
#include "BenchTools.h"

#include "editing/PlaylistCommands.h"
#include "store/Compaction.h"
#include "store/History.h"
#include "store/NamedBackups.h"
#include "store/UndoSnapshot.h"

namespace listrion::bench {

void benchPlaylist(store::Database& db, const Options& o)
{
    const std::filesystem::path file = db.file();
    editing::Reload_Playlist(db);
    Timer same;
    for (int r = 0; r < o.repeat; ++r) {
        same.run([&] { editing::Reload_Playlist(db); });
    }
    report("renumber, every number already right", same, "");
    Timer changed;
    for (int r = 0; r < o.repeat; ++r) {
        {
            const store::HistoryPause pause(db);
            db.exec("UPDATE Playlist SET broj = broj + 7");
        }
        changed.run([&] { editing::Reload_Playlist(db); });
    }
    report("renumber, every number changing", changed, "");

    store::takeUndoSnapshot(db);
    Timer undo;
    for (int r = 0; r < o.repeat; ++r) {
        undo.run([&] { editing::undoAllChanges(db, store::RestoreForm::MainWindow); });
    }
    report("undo all changes (snapshot copied back)", undo, "");

    const store::NamedBackup copy = store::Naredi_Backup(db);
    const std::string number = store::Najdi_Stevilko_Kopije(copy.playlistTable);
    Timer restore;
    for (int r = 0; r < o.repeat; ++r) {
        restore.run([&] { store::Restore_Playlist(db, number); });
    }
    report("restore a numbered copy", restore, "");

    // The exit: the copies and the history are gone with the playlist; the store is closed.
    store::History::clear(db);
    db.close();
    Timer test;
    bool pays = false;
    test.run([&] { pays = store::compactionPays(file); });
    report("exit: does compaction pay?", test, pays ? "yes" : "no");
    Timer rewrite;
    rewrite.run([&] { store::Compact_Database(file); });
    report("exit: compaction rewrite (when it pays)", rewrite, "");
    Timer again;
    again.run([&] { pays = store::compactionPays(file); });
    report("exit: does compaction pay, just compacted?", again, pays ? "yes" : "no");
}

} // namespace listrion::bench
