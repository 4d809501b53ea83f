#pragma once

#include "store/Database.h"

#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {

// Numbered copies of the whole working playlist inside data.mdb: a pair of tables
// "Playlist_Backup_" + NN and "Grupa_Backup_" + NN (NN with at least two digits). The set of
// copies is the set of tables with those exact-case prefixes; there is no other record.

// The number as it appears in a table name: 1 -> "01", 100 -> "100".
std::string copyNumberText(int number);

struct NamedBackup {
    std::string playlistTable;
    std::string grupaTable;
};

// Copies Playlist and Grupa, all columns and rows, into new tables with the first free number of
// each prefix (counted separately). The working tables are not changed. One transaction.
NamedBackup Naredi_Backup(Database& db);

// The names of the copies of Playlist (exact-case prefix), in the database's table order.
std::vector<std::string> Prikazi_Kopije(const Database& db);

// The copy number of a table name: the text after its last '_'.
std::string Najdi_Stevilko_Kopije(std::string_view tableName);

enum class RestoreCopyResult {
    Restored,
    NoSuchCopy,       // no Playlist_Backup_ table of that number (or not a number)
    MissingGroupCopy, // the Grupa_Backup_ table of that number is missing
};

// Replaces Playlist and Grupa with the copy of that number (the text of Najdi_Stevilko_Kopije).
// When either table of the copy is missing nothing is changed. The copy stays. One transaction.
RestoreCopyResult Restore_Playlist(Database& db, std::string_view number);

// The replacement itself, inside the caller's transaction and without a history step.
RestoreCopyResult replaceWithCopy(Database& db, std::string_view number);

} // namespace listrion::store
