#pragma once

#include "playlist/EntrySink.h"
#include "playlist/GroupIndex.h"
#include "playlist/LineText.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"
#include "playlist/ValueDecoder.h"

#include <string>
#include <string_view>

namespace listrion::playlist {

// The reading loop over the lines of one playlist: keeps the values of the pending entry,
// counts entries, and hands a channel row (and a group row for a group met for the first
// time) to its sink as soon as an entry's link is known. Blank and comment lines after an
// #EXTINF: line leave the entry pending (its option lines are kept with it); the next other
// line is its address line. Lines come in file order; the caller stops feeding lines when
// handleLine says so.
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
    // The attributes of the file's #EXTM3U header but x-tvg-url (Full mode; empty otherwise).
    std::string headerExtras() const;
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
        bool radio = false; // the line carries a radio attribute
        std::string extras; // the file's bytes: kept attributes, then LF and each option line
    };

    void handleExtinf(std::string_view line);
    void keepBesideEntry(std::string_view line, LineText::LineKind kind);
    void handleLinkLine(std::string_view line);
    void showEntry();
    void store();
    void discard();

    ValueDecoder m_decoder;
    std::int64_t m_limit;
    const std::atomic<std::int64_t>* m_liveLimit;
    bool m_lineBreakTest;
    bool m_keepExtras;
    TypeRule m_typeRule;
    GroupIndex& m_groups;
    EntrySink& m_sink;
    ProgressObserver* m_observer;

    Pending m_pending;
    std::string m_extras; // the pending entry's extras as text, for the row being stored
    std::string m_header; // the header's kept attributes (bytes)
    std::string m_previousName;
    bool m_seenExtinf = false;
    Progress m_progress;
};

} // namespace listrion::playlist
