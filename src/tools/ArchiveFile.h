#pragma once

#include "store/Database.h"

#include <filesystem>

namespace listrion::tools {

// logo.mdb as the archive commands find it: usable, missing, or not a readable database.
enum class ArchiveState { Usable, Missing, Damaged };

ArchiveState checkArchive(const std::filesystem::path& file);

// Replaces `file` whole with the copy delivered with the program (`shipped`); throws
// std::runtime_error when there is no such copy or it cannot be put in place.
void restoreArchive(const std::filesystem::path& file, const std::filesystem::path& shipped);

// Opens a usable archive, adding the tables it lacks.
store::Database openArchive(const std::filesystem::path& file);

} // namespace listrion::tools
