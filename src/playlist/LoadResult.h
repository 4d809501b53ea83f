#pragma once

#include "playlist/Progress.h"

#include <string>

namespace listrion::playlist {

// How a load ended. Only Loaded, LimitReached and a Cancel while reading replace the open
// playlist (LoadResult::replaced); every other end keeps it as it was.
enum class LoadStatus {
    Loaded,           // the whole file was read
    Cancelled,        // the observer asked to stop; the rows read so far replace the playlist
                      // unless none were read or the Cancel came while they were being stored
    LimitReached,     // the entries counter reached the limit; the rows read so far stay
    SourceMissing,    // the file does not exist (for an address: the download left none)
    SourceUnreadable, // a folder, a FIFO, a device, no permission, a read error
    DownloadFailed,   // the address could not be downloaded
    NoEntries,        // read to its end, the file held no playlist entry
    SourceChanged,    // the file was written, truncated or replaced while it was read
    NoSpace,          // the program folder lacks the free space the load needs
    Failed,           // an error while reading or storing
};

// How a load ended, with the counters of the reading run.
struct LoadResult {
    LoadStatus status = LoadStatus::Loaded;
    Progress counts;
    double seconds = 0;
    std::string message;   // what went wrong, for the statuses that are errors
    bool replaced = false; // the store now holds what was read

    bool stored() const { return replaced; }
    std::int64_t channels() const { return counts.live + counts.vod + counts.radio; }
};

} // namespace listrion::playlist
