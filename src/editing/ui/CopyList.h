#pragma once

#include <QListWidget>

namespace listrion::store {
class Database;
}

namespace listrion::editing::ui {

// The list of the playlist copies of both backup windows (List1): the names of the
// Playlist_Backup_ tables in the database's table order. Returns false, leaving the list
// empty, when the names could not be read.
bool fillCopyList(QListWidget& list, const store::Database& db);

} // namespace listrion::editing::ui
