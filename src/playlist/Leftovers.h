#pragma once

#include <filesystem>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// What killed or interrupted runs of the program leave in the program folder, removed by the
// next program that changes the store, once it holds the folder lock (so none of it is in use):
// partial downloads and restructured copies beside temp.m3u, the copy and journals of an
// interrupted compaction beside data.mdb, and the load tables of an interrupted open.
void removeLeftoverFiles(const std::filesystem::path& dataMdb,
                         const std::filesystem::path& tempM3u);
void dropLeftoverTables(store::Database& db);

} // namespace listrion::playlist
