#pragma once

#include "store/Database.h"
#include "store/Tables.h"

#include <optional>
#include <string>
#include <string_view>

namespace listrion::store {

// Where a playlist being opened is read to: two tables of the working layout beside Playlist
// and Grupa. The open playlist stays whole (with its undo snapshot, named backups and history)
// while the new one is read, and readers see it until the new one is swapped in at the end in
// one transaction. A failed or interrupted open only leaves these tables, which the next open
// or the next start of a writer drops.
namespace IncomingTables {

inline constexpr std::string_view kPlaylist = "Playlist_Load";
inline constexpr std::string_view kGrupa = "Grupa_Load";
// The undo snapshot of the channels read, copied before the swap (in a transaction of its own,
// so its pages reach the file while the swap builds the indexes).
inline constexpr std::string_view kPlaylistSnapshot = "Playlist_backup_Load";

// Drops what an earlier open left and creates both tables empty, without indexes (the rows
// arrive in position order; the indexes are built once, at the swap). One transaction.
void prepare(Database& db);

// Copies the channels read into the snapshot table. One transaction.
void copySnapshot(Database& db);

// True when an open left its tables behind.
bool present(const Database& db);
// Drops the tables, if there are any. One transaction.
void drop(Database& db);

// What the store records of the playlist swapped in.
struct Source {
    std::string chosen;       // Izbrana_Playlista.Ime: the file or the address
    std::string headerExtras; // the header's kept attributes (empty for none)
    bool emptySecond = false; // the merge tables are emptied too (the restructure path)
    std::optional<PlaylistCodepage> codepage; // what the file was read with, when known
};

// Puts the tables read in place of Playlist, Grupa and Playlist_backup in one transaction, as
// Izbrisi_Kopije and a load together would leave the store: the named backups dropped, the
// history cleared (a new playlist is a new history), the source recorded, the EPG address
// emptied, the indexes built, every group's count filled and the undo snapshot holding exactly
// what was read (copySnapshot first). Interrupting the connection (Database::interrupt) rolls it
// all back: the previous playlist stays as it was.
void swapIn(Database& db, const Source& source);

} // namespace IncomingTables
} // namespace listrion::store
