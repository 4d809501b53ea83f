#pragma once

#include <cstdint>
#include <string>

namespace listrion::playlist {

// What a long run is busy with, so a window can show the matching text.
enum class Activity {
    Working,       // anything without a text of its own
    Downloading,   // waiting for a playlist address to arrive
    Restructuring, // copying a playlist without usable line breaks into temp.m3u
    Counting,      // first pass: counting the lines
    Reading,       // reading the lines into the store
    Indexing,      // rebuilding the indexes after a load
    MakingBackup,  // writing the undo snapshot
};

// What a long run (loading, saving, exporting) has done so far; the loading window and the
// wait panel show these values.
struct Progress {
    std::int64_t line = 0;      // current line of the file being read
    std::int64_t lineCount = 0; // lines in the file (first pass)
    std::int64_t entries = 0;   // entries counted (becomes Playlist.broj)
    std::int64_t groups = 0;    // groups created
    std::int64_t live = 0;      // Live channels stored
    std::int64_t vod = 0;       // VOD channels stored
    std::int64_t radio = 0;     // Radio channels stored (the merge reader's type rule only)
    std::int64_t written = 0;   // channels written by a save or export
    std::string group;          // current group name
    std::string channel;        // current channel name
    Activity activity = Activity::Working;
};

// Receives a run's progress and carries the Cancel button into it. A run may call progress()
// less often than once per line; it polls cancelRequested() once per line or row. Both may be
// called from a worker thread.
class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    virtual void progress(const Progress& progress) = 0;
    virtual bool cancelRequested() = 0;
    // How many times Cancel was asked for so far, for a run that goes on storing after a first
    // Cancel and stops at the next one. An observer that does not count gives 0 or 1.
    virtual int cancelRequests() { return cancelRequested() ? 1 : 0; }
};

} // namespace listrion::playlist
