#pragma once

#include "store/Database.h"

namespace listrion::store {

// The one-level undo: Grupa_backup and Playlist_backup hold a copy of the working tables as the
// playlist was loaded. Restoring replaces the working tables with that copy and keeps it, so
// undo can be repeated.

// Copies Grupa and Playlist into the (emptied) snapshot tables. One transaction.
void takeUndoSnapshot(Database& db);

// An empty Grupa_backup means there is no snapshot.
bool hasUndoSnapshot(const Database& db);

// The main window's undo also empties the second playlist of a merge (Playlist_Second) and the
// EPG source (SS_Epg); the editors' undo leaves them.
enum class RestoreForm { MainWindow, Editor };
enum class RestoreResult { Restored, NoSnapshot };

// Replaces Grupa and Playlist with the snapshot, rows in their stored order. Without a snapshot
// nothing changes. One transaction.
RestoreResult Restore(Database& db, RestoreForm form);

// The replacement itself, inside the caller's transaction and without a history step (Restore
// keeps a copy of the tables first; the history repeats it with this).
void replaceWithSnapshot(Database& db, RestoreForm form);

} // namespace listrion::store
