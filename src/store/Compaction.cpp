#include "store/Compaction.h"

#include "store/Database.h"
#include "store/SqlError.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace listrion::store {
namespace {

namespace fs = std::filesystem;

std::error_code syncPath(const fs::path& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return rc == 0 ? std::error_code() : std::error_code(error, std::generic_category());
}

fs::path sibling(const fs::path& file, const std::string& suffix)
{
    return fs::path(file.string() + suffix);
}

// Merges the write-ahead log into the file and leaves WAL mode, which deletes the log and its
// index, then holds an exclusive lock until the connection closes. Each step fails at once
// (no waiting) while another connection has the file open.
void takeSoleOwnership(Database& db)
{
    sqlite3_busy_timeout(db.handle(), 0);
    Statement checkpoint = db.prepare("PRAGMA wal_checkpoint(TRUNCATE)");
    if (checkpoint.step() && checkpoint.columnInt(0) != 0) {
        throw SqlError(SQLITE_BUSY, "the write-ahead log is in use");
    }
    checkpoint.reset();
    Statement mode = db.prepare("PRAGMA journal_mode=DELETE");
    if (!mode.step() || mode.columnText(0) != "delete") {
        throw SqlError(SQLITE_BUSY, "the database cannot leave write-ahead logging");
    }
    mode.reset();
    db.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
}

void compactInto(Database& db, const fs::path& temp)
{
    // The copy gets the page size of new stores, whatever the page size of the old file.
    db.exec("PRAGMA page_size=" + std::to_string(Database::kPageSize));
    Statement vacuum = db.prepare("VACUUM INTO ?");
    vacuum.bind(1, temp.string());
    vacuum.run();
    if (const std::error_code ec = syncPath(temp, O_RDONLY)) {
        throw fs::filesystem_error("cannot sync the compacted copy", temp, ec);
    }
}

CompactResult replace(Database& db, const fs::path& dataMdb, const fs::path& temp,
                      const FileRenamer& rename)
{
    for (const char* suffix : {"-wal", "-journal"}) {
        if (fs::exists(sibling(dataMdb, suffix))) {
            return {CompactStatus::InUse, "a journal lies beside " + dataMdb.string(), 0, 0};
        }
    }
    if (const std::error_code ec = rename(temp, dataMdb)) {
        return {CompactStatus::Failed, "cannot rename the compacted copy: " + ec.message(), 0, 0};
    }
    db.close();
    return {CompactStatus::Compacted, "", 0, 0};
}

CompactResult compact(const fs::path& dataMdb, const fs::path& temp, const FileRenamer& rename)
{
    Database db(dataMdb);
    try {
        takeSoleOwnership(db);
    } catch (const SqlError& e) {
        if ((e.code() & 0xff) == SQLITE_BUSY || (e.code() & 0xff) == SQLITE_LOCKED) {
            return {CompactStatus::InUse, "data.mdb is in use: " + std::string(e.what()), 0, 0};
        }
        throw;
    }
    std::error_code ignored;
    fs::remove(temp, ignored); // left over from an interrupted run
    compactInto(db, temp);
    return replace(db, dataMdb, temp, rename);
}

} // namespace

std::error_code renameFileDurably(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) {
        // The rename has happened; a folder that cannot be synced only makes it less durable.
        syncPath(to.has_parent_path() ? to.parent_path() : fs::path("."), O_RDONLY | O_DIRECTORY);
    }
    return ec;
}

CompactResult Compact_Database(const fs::path& dataMdb, const FileRenamer& rename)
{
    const fs::path temp = sibling(dataMdb, ".temp");
    std::error_code ec;
    if (!fs::is_regular_file(dataMdb, ec)) {
        return {CompactStatus::NoDatabase, "there is no " + dataMdb.string(), 0, 0};
    }
    std::uintmax_t before = fs::file_size(dataMdb, ec);
    if (fs::exists(sibling(dataMdb, "-wal"), ec)) {
        before += fs::file_size(sibling(dataMdb, "-wal"), ec);
    }
    CompactResult result;
    try {
        result = compact(dataMdb, temp, rename);
    } catch (const std::exception& e) {
        result = {CompactStatus::Failed, e.what(), 0, 0};
    }
    if (result.status != CompactStatus::Compacted) {
        fs::remove(temp, ec);
        return result;
    }
    result.sizeBefore = before;
    result.sizeAfter = fs::file_size(dataMdb, ec);
    return result;
}

void removeCompactionLeftovers(const fs::path& dataMdb)
{
    std::error_code ignored;
    for (const char* suffix : {".temp", ".temp-journal", ".temp-wal", ".temp-shm"}) {
        fs::remove(sibling(dataMdb, suffix), ignored);
    }
}

bool compactionPays(const fs::path& dataMdb, double share)
{
    std::error_code ec;
    if (!fs::is_regular_file(dataMdb, ec)) {
        return false;
    }
    try {
        const Database db(dataMdb);
        if (db.scalarInt("PRAGMA page_size", 0) != Database::kPageSize) {
            return true;
        }
        const std::int64_t pages = db.scalarInt("PRAGMA page_count", 0);
        const std::int64_t free = db.scalarInt("PRAGMA freelist_count", 0);
        return pages > 0 && static_cast<double>(free) >= share * static_cast<double>(pages);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace listrion::store
