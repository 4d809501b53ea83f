#include "playlist/Leftovers.h"

#include "playlist/AtomicFile.h"
#include "store/Compaction.h"
#include "store/IncomingTables.h"

namespace listrion::playlist {

void removeLeftoverFiles(const std::filesystem::path& dataMdb, const std::filesystem::path& tempM3u)
{
    store::removeCompactionLeftovers(dataMdb);
    AtomicFile::removeStale(tempM3u);
}

void dropLeftoverTables(store::Database& db)
{
    if (store::IncomingTables::present(db)) {
        store::IncomingTables::drop(db);
    }
}

} // namespace listrion::playlist
