#include "store/NamedBackups.h"

#include "store/History.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <algorithm>

namespace listrion::store {
namespace {

// The first number whose table name is free. The engine's table names ignore letter case, so a
// name taken in another case is not free either.
std::string firstFreeName(const Database& db, std::string_view prefix)
{
    for (int number = 1;; ++number) {
        std::string name = std::string(prefix) + copyNumberText(number);
        if (!db.tableExists(name)) {
            return name;
        }
    }
}

bool tableExistsExactly(const Database& db, const std::string& name)
{
    const std::vector<std::string> names = db.tableNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isCopyNumber(std::string_view number)
{
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string copyNumberText(int number)
{
    std::string text = std::to_string(number);
    return text.size() < 2 ? "0" + text : text;
}

// The copies are plain "INSERT INTO a SELECT * FROM b" between tables of one layout: into an
// empty table without indexes the engine copies the stored rows as they are, with their rowids,
// so the copy keeps the store order.
NamedBackup Naredi_Backup(Database& db)
{
    Transaction tx(db);
    NamedBackup backup;
    backup.playlistTable = firstFreeName(db, Schema::kPlaylistBackupPrefix);
    Schema::createPlaylistLayoutTable(db, backup.playlistTable);
    db.exec("INSERT INTO " + quoteIdentifier(backup.playlistTable) + " SELECT * FROM Playlist");
    backup.grupaTable = firstFreeName(db, Schema::kGrupaBackupPrefix);
    Schema::createGrupaLayoutTable(db, backup.grupaTable);
    db.exec("INSERT INTO " + quoteIdentifier(backup.grupaTable) + " SELECT * FROM Grupa");
    tx.commit();
    return backup;
}

std::vector<std::string> Prikazi_Kopije(const Database& db)
{
    std::vector<std::string> copies;
    for (std::string& name : db.tableNames()) {
        if (name.starts_with(Schema::kPlaylistBackupPrefix)) {
            copies.push_back(std::move(name));
        }
    }
    return copies;
}

std::string Najdi_Stevilko_Kopije(std::string_view tableName)
{
    const std::size_t underscore = tableName.rfind('_');
    return std::string(underscore == std::string_view::npos ? tableName
                                                            : tableName.substr(underscore + 1));
}

RestoreCopyResult Restore_Playlist(Database& db, std::string_view number)
{
    if (!isCopyNumber(number)) {
        return RestoreCopyResult::NoSuchCopy;
    }
    const std::string playlistTable =
        std::string(Schema::kPlaylistBackupPrefix) + std::string(number);
    const std::string grupaTable = std::string(Schema::kGrupaBackupPrefix) + std::string(number);
    Transaction tx(db);
    if (!tableExistsExactly(db, playlistTable)) {
        return RestoreCopyResult::NoSuchCopy;
    }
    if (!tableExistsExactly(db, grupaTable)) {
        return RestoreCopyResult::MissingGroupCopy;
    }
    History::recordReplacement(db, db.stepName(), History::Replacement::NamedBackup, number);
    const HistoryPause pause(db);
    replaceWithCopy(db, number);
    tx.commit();
    return RestoreCopyResult::Restored;
}

RestoreCopyResult replaceWithCopy(Database& db, std::string_view number)
{
    const std::string playlistTable =
        std::string(Schema::kPlaylistBackupPrefix) + std::string(number);
    const std::string grupaTable = std::string(Schema::kGrupaBackupPrefix) + std::string(number);
    if (!isCopyNumber(number) || !tableExistsExactly(db, playlistTable) ||
        !tableExistsExactly(db, grupaTable)) {
        return RestoreCopyResult::NoSuchCopy;
    }
    db.exec("DELETE FROM Playlist; DELETE FROM Grupa;");
    Schema::dropPlaylistIndexes(db);
    db.exec("INSERT INTO Playlist SELECT * FROM " + quoteIdentifier(playlistTable));
    Schema::createPlaylistIndexes(db);
    db.exec("INSERT INTO Grupa SELECT * FROM " + quoteIdentifier(grupaTable));
    return RestoreCopyResult::Restored;
}

} // namespace listrion::store
