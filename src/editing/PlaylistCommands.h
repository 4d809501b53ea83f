#pragma once

#include "store/Database.h"
#include "store/UndoSnapshot.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace listrion::editing {

// The main window's commands that replace, clear or repair the whole playlist. Each is one
// transaction on the store; the window re-reads its grids afterwards.

// The name of the one group a new playlist starts with.
inline constexpr const char* kNewGroupName = "New group";

// Undo all changes: the playlist as it was loaded (or last snapshotted), as one history step;
// NoSnapshot when there is nothing to go back to.
store::RestoreResult undoAllChanges(store::Database& db, store::RestoreForm form);

// Whether there is anything to save before the playlist is replaced (the channel table is not
// empty).
bool hasChannels(const store::Database& db);

// The group names in the order of the group grid (type, then position).
std::vector<std::string> groupNamesInGridOrder(const store::Database& db);

// Empties the playlist, its undo snapshot, the chosen playlist and the EPG source, then adds
// the group "New group" at position 1.
void newPlaylist(store::Database& db);

// Empties the playlist, every undo level (1 to 6), the chosen playlist and the EPG source, and
// drops the numbered copies of the playlist.
void closePlaylist(store::Database& db);

// Popravi_Group_Type: every group holding at least one VOD channel gets the type "VOD".
// Returns the number of groups changed.
std::int64_t Popravi_Group_Type(store::Database& db);

// Reload_Playlist: renumbers the groups in grid order, then every channel, group by group.
void Reload_Playlist(store::Database& db);

// Removes every file of `folder` whose extension is "m3u" in any letter case (temp.m3u and any
// playlist kept there). Returns the number removed; files that cannot be removed are left.
int removePlaylistFiles(const std::filesystem::path& folder);

} // namespace listrion::editing
