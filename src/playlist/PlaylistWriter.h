#pragma once

#include "playlist/Codepage.h"
#include "playlist/PlaylistMode.h"
#include "playlist/Progress.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace listrion::playlist {

// Writing the store back as an extended M3U file, shared by the editor and the command line.
// Each call opens its own connection to data.mdb, so it can run on a worker thread; it never
// shows anything and throws nothing, the result says how it went. The file is written beside
// its target and renamed over it only when complete: after No, Cancel or an error an existing
// file is left as it was. Asking for the file name and the overwrite question is the caller's
// business; Cancel is polled once per channel.

struct SaveOptions {
    std::filesystem::path dataMdb;
    // The playlist is written in the code page recorded with it when it was read (UTF-8 with
    // its byte-order mark when the file had one); this one when the store records none.
    const Codepage* codepage = &Codepage::windows1250();
    // The answer to the overwrite question: an existing file is replaced only when true.
    bool replaceExisting = false;
    // Full: each channel's kept attributes go before the comma of its #EXTINF: line and its
    // option lines between that line and the address; the header gets the playlist's kept
    // attributes. Design: exactly the lines of the columns.
    PlaylistMode mode = PlaylistMode::Full;
};

enum class SaveStatus {
    Saved,
    NotReplaced, // no file name, or the file exists and was not to be replaced; nothing written
    Cancelled,   // the observer asked to stop; an existing file is untouched
    Failed,      // the file or the store could not be used; an existing file is untouched
};

struct SaveResult {
    SaveStatus status = SaveStatus::Saved;
    std::int64_t written = 0; // channels written (also when the run stopped early)
    std::int64_t groups = 0;  // groups written
    double seconds = 0;
    std::string message; // what went wrong, for every status but Saved

    bool saved() const { return status == SaveStatus::Saved; }
};

// Every group with a position (broj>0) in position order, each with its channels in position
// order.
SaveResult Save_Playlist(const std::filesystem::path& file, const SaveOptions& options,
                         ProgressObserver* observer);

// The same for the ticked groups only (izberi set); with none ticked the file holds the header.
SaveResult Export_Groups(const std::filesystem::path& file, const SaveOptions& options,
                         ProgressObserver* observer);

} // namespace listrion::playlist
