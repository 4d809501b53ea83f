#pragma once

#include "tools/LinkValidator.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// What a checking run has done so far. The counters are 64-bit: a playlist may hold millions.
struct LinkCheckCounts {
    std::int64_t total = 0;     // channels of the run
    std::int64_t processed = 0; // decided so far
    std::int64_t working = 0;   // untested links are not among these
    std::int64_t broken = 0;
    std::int64_t untested = 0; // schemes that cannot be tested, counted as working
};

// Receives the run's progress and carries the stop button into it. Both are called on the
// run's thread.
class LinkCheckObserver {
public:
    virtual ~LinkCheckObserver() = default;
    virtual void progress(const LinkCheckCounts& counts) = 0;
    virtual bool stopRequested() = 0;
};

struct LinkCheckResult {
    LinkCheckCounts counts;
    bool stopped = false;
    double seconds = 0;
    std::string error; // why the store could not be read or written; empty when it could
};

struct LinkCheckRunOptions {
    LinkCheckOptions link;
    // Fills a channel's own user agent and referrer into its request, for channels that keep
    // stream options; none by default.
    std::function<void(store::Database& db, std::int64_t rowId, LinkRequest& request)> details;
    // Ticks of broken channels are written in one transaction for this many, or after this
    // long, whichever comes first, and at the end.
    int tickBatch = 512;
    std::chrono::milliseconds tickInterval{250};
};

// Options whose requests carry each channel's own user agent and referrer, as its playlist
// entry kept them, so a stream that needs them is not reported broken.
LinkCheckRunOptions withKeptStreamHeaders(LinkCheckRunOptions options);

// The checking run: unticks every channel, tests every channel's link, group by group in
// position order, and ticks (izberi) each channel whose link is broken. It works on its own
// connection to `dataMdb`, so it may run on a worker thread while windows read the store.
// Stopping keeps the ticks of every link decided so far.
LinkCheckResult checkPlaylistLinks(const std::filesystem::path& dataMdb,
                                   const LinkCheckRunOptions& options, LinkCheckObserver* observer);

} // namespace listrion::tools
