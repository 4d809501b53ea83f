#pragma once

#include "store/Database.h"

#include <cstdint>
#include <filesystem>

namespace listrion::tools {

// logo.mdb as the archive commands find it: usable, missing, or not a readable database.
enum class ArchiveState { Usable, Missing, Damaged };

ArchiveState checkArchive(const std::filesystem::path& file);

// Replaces `file` whole with the copy delivered with the program (`shipped`); throws
// std::runtime_error when there is no such copy or it cannot be put in place.
void restoreArchive(const std::filesystem::path& file, const std::filesystem::path& shipped);

// Empties an archive table (`clear`) and fills it with the rows `select` reads from the playlist
// through `insert`, which takes the selected columns in order; one transaction of the archive,
// read from one view of the playlist. Returns the rows written.
std::int64_t refillArchiveTable(store::Database& db, store::Database& archive, const char* clear,
                                const char* select, const char* insert);

// Opens a usable archive, adding the tables it lacks.
store::Database openArchive(const std::filesystem::path& file);

} // namespace listrion::tools
