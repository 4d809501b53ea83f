#pragma once

#include "playlist/Progress.h"

#include <string>

namespace listrion::playlist {

enum class LoadStatus {
    Loaded,           // the whole file was read
    Cancelled,        // the observer asked to stop; the rows read so far stay
    LimitReached,     // the entries counter reached the limit; the rows read so far stay
    SourceMissing,    // the file does not exist (for an address: the download left none)
    SourceUnreadable, // a folder, no permission, a read error before anything was stored
    DownloadFailed,   // the address could not be downloaded
    Failed,           // an error while reading or storing; the rows stored before it stay
};

// How a load ended, with the counters of the reading run.
struct LoadResult {
    LoadStatus status = LoadStatus::Loaded;
    Progress counts;
    double seconds = 0;
    std::string message; // what went wrong, for the statuses that are errors

    bool stored() const
    {
        return status == LoadStatus::Loaded || status == LoadStatus::Cancelled ||
               status == LoadStatus::LimitReached;
    }
    std::int64_t channels() const { return counts.live + counts.vod + counts.radio; }
};

} // namespace listrion::playlist
