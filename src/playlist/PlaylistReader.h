#pragma once

#include "playlist/EntrySink.h"
#include "playlist/GroupIndex.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"
#include "playlist/ValueDecoder.h"

#include <string>
#include <string_view>

namespace listrion::playlist {

// The reading loop over the lines of one playlist: keeps the values of the pending entry,
// counts entries, and hands a channel row (and a group row for a group met for the first
// time) to its sink as soon as an entry's link is known. Lines come in file order; the
// caller stops feeding lines when handleLine says so.
class PlaylistReader {
public:
    enum class Step {
        Continue,
        Cancelled,    // the observer asked to stop
        LimitReached, // the entries counter reached the limit
        Restructure,  // a line over 500 characters before any #EXTINF: line
    };

    // `lineBreakTest`: the test for a file without usable line breaks (files chosen by the
    // user; not downloaded or restructured copies).
    PlaylistReader(const ReaderOptions& options, bool lineBreakTest, GroupIndex& groups,
                   EntrySink& sink, ProgressObserver* observer);

    Step handleLine(std::string_view line);

    void setLineCount(std::int64_t count) { m_progress.lineCount = count; }
    const Progress& progress() const { return m_progress; }
    // Sends the counters to the observer (the loop does so every so many lines).
    void report();

private:
    struct Pending {
        std::string group;
        std::string name;
        std::string tvgName;
        std::string tvgId;
        std::string logo;
        std::string link;
        std::int16_t parentCode = 0;
    };

    void handleExtinf(std::string_view line);
    void handleLinkLine(std::string_view line);
    void showEntry();
    void store();
    void discard();

    ValueDecoder m_decoder;
    std::int64_t m_limit;
    const std::atomic<std::int64_t>* m_liveLimit;
    bool m_lineBreakTest;
    GroupIndex& m_groups;
    EntrySink& m_sink;
    ProgressObserver* m_observer;

    Pending m_pending;
    std::string m_previousName;
    bool m_seenExtinf = false;
    Progress m_progress;
};

} // namespace listrion::playlist
