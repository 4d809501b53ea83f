#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>

namespace listrion::store {

// Routines every part of the program uses on the working tables of data.mdb.

// Drops every numbered copy (tables whose names begin with "Playlist_Backup_" or
// "Grupa_Backup_", exact case). One transaction.
void dropNumberedCopies(Database& db);

// Drops every numbered copy and empties Grupa, Grupa_backup, Playlist, Playlist_backup,
// Izbrana_Playlista and SS_Epg. One transaction.
void Izbrisi_Kopije(Database& db);

// The playlist file or address last opened (Izbrana_Playlista.Ime), if any.
std::optional<std::string> chosenPlaylist(const Database& db);
// Replaces the remembered playlist with `source` (the table holds at most one row).
void setChosenPlaylist(Database& db, const std::string& source);

// The extras of the playlist (the header's attributes a full save writes back); empty when
// there are none.
std::string playlistExtras(const Database& db);
// Keeps `extras` with the remembered playlist (empty: none); nothing when no playlist is
// remembered. One transaction.
void setPlaylistExtras(Database& db, std::string_view extras);

// The code page the remembered playlist was read with ("UTF-8", "windows-1250", ...) and
// whether its file began with a UTF-8 byte-order mark; nothing when none is recorded.
struct PlaylistCodepage {
    std::string name;
    bool bom = false;
};
std::optional<PlaylistCodepage> playlistCodepage(const Database& db);
// Records the code page with the remembered playlist; nothing when no playlist is remembered.
// One transaction.
void setPlaylistCodepage(Database& db, const PlaylistCodepage& codepage);

std::int64_t channelCount(const Database& db);
std::int64_t groupCount(const Database& db);

} // namespace listrion::store
