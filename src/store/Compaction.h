#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace listrion::store {

// Compaction of data.mdb: a compacted copy is written to data.mdb.temp and renamed over
// data.mdb. The old file's write-ahead log is merged into it and removed first, so no stale log
// can be replayed into the new file; that needs every other connection to the file closed (the
// windows close their grids' connections first). On any failure data.mdb stays as it was.

enum class CompactStatus {
    Compacted,
    NoDatabase, // there is no data.mdb
    InUse,      // another connection has the file open: nothing was done
    Failed,     // compacting or renaming failed: data.mdb is unchanged
};

struct CompactResult {
    CompactStatus status = CompactStatus::Failed;
    std::string message;
    std::uintmax_t sizeBefore = 0;
    std::uintmax_t sizeAfter = 0;
};

// Puts `from` in the place of `to` in one step; the error code tells why it could not.
using FileRenamer = std::function<std::error_code(const std::filesystem::path& from,
                                                  const std::filesystem::path& to)>;

// rename(2) followed by a sync of the folder, so the new name survives a crash.
std::error_code renameFileDurably(const std::filesystem::path& from,
                                  const std::filesystem::path& to);

CompactResult Compact_Database(const std::filesystem::path& dataMdb,
                               const FileRenamer& rename = renameFileDurably);

// Removes what an interrupted compaction left beside `dataMdb` (the compacted copy
// data.mdb.temp and its journals). Only for the holder of the folder lock: no compaction runs
// then.
void removeCompactionLeftovers(const std::filesystem::path& dataMdb);

// Below this share of free pages a compacted copy is hardly smaller than the file it replaces.
inline constexpr double kCompactionPaysShare = 0.10;

// True when compacting the file would change it materially: its free pages make up at least
// `share` of its pages, or its page size is not the one of new stores. Reads only the file's
// header (and its write-ahead log); false when there is no such file or it cannot be read,
// since compaction would then do nothing either.
bool compactionPays(const std::filesystem::path& dataMdb, double share = kCompactionPaysShare);

} // namespace listrion::store
