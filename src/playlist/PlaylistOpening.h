#pragma once

#include "playlist/HttpClient.h"
#include "playlist/LoadResult.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace listrion::playlist {

// The two ways a playlist is opened, shared by the editor and the command line. Each opens
// its own connection to data.mdb, so it can run on a worker thread; it never shows anything
// and throws nothing, the result says how it went. The observer is called on the calling
// thread; Cancel is polled once per line while reading (and while downloading, counting and
// restructuring). Saving the open playlist first is the caller's business.
//
// Both read the playlist beside the open one (PlaylistLoader) and only then replace it, in one
// transaction: emptying the store as Izbrisi_Kopije does, recording the source in
// Izbrana_Playlista, and writing the undo snapshot of what was read. The open playlist (with
// its snapshot, named backups and history) stays as it was when the source cannot be read or
// downloaded, holds no entries, changes while it is read, does not fit on the disk, or the run
// fails or is cancelled before anything was read. A Cancel while reading keeps the rows read so
// far: the store then holds every channel whose entry was complete before the stop, with its
// group row, and the snapshot holds exactly those rows, so Undo returns to them.

// The bytes free for the program folder's files; nothing when that cannot be told.
using FreeSpace = std::function<std::optional<std::uintmax_t>(const std::filesystem::path&)>;
std::optional<std::uintmax_t> freeSpaceOf(const std::filesystem::path& folder);

struct OpenOptions {
    ReaderOptions reader;
    std::filesystem::path dataMdb;
    std::filesystem::path tempM3u; // download target and restructured copy
    HttpLimits download;
    // Removes temp.m3u when the run ends, when the run wrote it (the command line; the editor
    // keeps it until it ends).
    bool removeTempM3u = false;
    FreeSpace freeSpace = freeSpaceOf;
};

// The free space a playlist file of `bytes` needs in the program folder to be read: its rows,
// their indexes and undo snapshot, beside the open playlist until the swap.
std::uintmax_t spaceNeeded(std::uintmax_t bytes);

// A local playlist file. A file that cannot be opened (SourceMissing, SourceUnreadable: also a
// folder, a FIFO or a device, refused at once) leaves the store as it was.
LoadResult Open_Playlist(const std::filesystem::path& file, const OpenOptions& options,
                         ProgressObserver* observer);

// A playlist address: downloaded to temp.m3u, then read. A failed download, or an address that
// is not http, https or ftp, gives DownloadFailed and leaves the store as it was.
LoadResult Open_URL(const std::string& address, HttpClient& http, const OpenOptions& options,
                    ProgressObserver* observer);

// Downloads `address` into `path`, replacing the file only when the whole body arrived.
HttpResult DownloadFile(HttpClient& http, const std::string& address,
                        const std::filesystem::path& path, const HttpLimits& limits,
                        ProgressObserver* observer);

// True for an address the reader downloads (http://, https:// or ftp://, any letter case).
bool isPlaylistAddress(std::string_view source);

// The address a user typed or pasted, trimmed of blanks, with "http://" put in front when it
// names no scheme ("tv.example/list.m3u" → "http://tv.example/list.m3u").
std::string typedAddress(std::string_view typed);

} // namespace listrion::playlist
