#pragma once

#include "playlist/Codepage.h"
#include "playlist/ExportFormat.h"
#include "playlist/Progress.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// The exports of the working playlist to set-top-box channel lists and the listing of the EPG
// archive. Each opens its own connections, reads in one transaction, changes no table and
// never shows anything. Asking for the file and for permission to overwrite it is the
// caller's business; the file is written beside the target and renamed over it only when
// complete, so Cancel or an error leaves an existing file as it was.

struct ExportRequest {
    std::filesystem::path dataMdb; // the working store
    std::filesystem::path logoMdb; // the EPG archive (Export_EPG only; created when missing)
    std::filesystem::path target;  // the file the user chose
    // The code page of a playlist whose store records none (windows-1250 if null); a playlist
    // read from a file is exported in the code page recorded with it.
    const Codepage* codepage = nullptr;
    bool overwrite = false; // the user agreed to replace an existing file
};

enum class ExportStatus {
    Written,      // the whole file is in place
    TargetExists, // the file exists and overwriting was not agreed: nothing was written
    Cancelled,    // the observer asked to stop: nothing was written
    Failed,       // the store could not be read or the file not written: nothing was written
};

struct ExportResult {
    ExportStatus status = ExportStatus::Written;
    std::filesystem::path file; // the file written (for Export_EPG the name ending in .txt)
    std::int64_t rows = 0;      // channels (EPG: archive rows) written
    std::string message;        // what went wrong, for Failed
};

// Groups with broj>0 in position order, each group's channels in position order, written in
// the given box format (ExportFormat::Epg fails: use Export_EPG). Enigma2 numbers its services 1,
// 2, 3, ... into a new file and 2, 4, 6, ... when it replaces an existing one; Azbox numbers
// from 1.
ExportResult exportChannelList(ExportFormat format, const ExportRequest& request,
                               ProgressObserver* observer);

ExportResult Export_Enigma2(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_Samsung(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_Openbox(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_Opticum_HD(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_LG(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_Azbox(const ExportRequest& request, ProgressObserver* observer);
ExportResult Export_Openbox_X5(const ExportRequest& request, ProgressObserver* observer);

// Lists table Epg of logo.mdb ordered by group, a line holding one space between groups.
// The file is the chosen name with ".M3U" and ".m3u" replaced by ".txt" (see
// epgListingFile); `overwrite` and ExportResult::file refer to that name.
ExportResult Export_EPG(const ExportRequest& request, ProgressObserver* observer);

// Any of the above by format.
ExportResult exportTo(ExportFormat format, const ExportRequest& request,
                      ProgressObserver* observer);

// The file an export writes for the chosen name: the name itself, except for the EPG listing,
// whose file name has every ".M3U" replaced by ".m3u" and then every ".m3u" by ".txt" (the
// folders of the path are left alone). The overwrite question is asked for this file.
std::filesystem::path exportTarget(ExportFormat format, const std::filesystem::path& chosen);

// False when the list the export's menu entry depends on is empty (then the entry does
// nothing): the groups of Grupa or the channels of Playlist.
bool exportGuardPasses(ExportGuard guard, const store::Database& dataMdb);

} // namespace listrion::playlist
