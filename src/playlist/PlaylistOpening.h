#pragma once

#include "playlist/HttpClient.h"
#include "playlist/LoadResult.h"
#include "playlist/Progress.h"
#include "playlist/ReaderOptions.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace listrion::playlist {

// The two ways a playlist is opened, shared by the editor and the command line. Each opens
// its own connection to data.mdb, so it can run on a worker thread; it never shows anything
// and throws nothing, the result says how it went. The observer is called on the calling
// thread; Cancel is polled once per line while reading (and while downloading, counting and
// restructuring). Saving the open playlist first is the caller's business.
//
// Both empty the store (Izbrisi_Kopije), record the source in Izbrana_Playlista, read the
// playlist and then write the undo snapshot of what was read. Rows are committed in batches
// as they are read. After Cancel, the limit or an error while reading, the store holds every
// channel whose entry was complete before the stop, with its group row; the Playlist indexes
// are rebuilt and the snapshot holds exactly those rows, so Undo returns to them. A Cancel
// while downloading or counting leaves the store empty with the source recorded.

struct OpenOptions {
    ReaderOptions reader;
    std::filesystem::path dataMdb;
    std::filesystem::path tempM3u; // download target and restructured copy
    HttpLimits download;
};

// A local playlist file. A file that cannot be opened (SourceMissing, SourceUnreadable)
// leaves the store as it was.
LoadResult Open_Playlist(const std::filesystem::path& file, const OpenOptions& options,
                         ProgressObserver* observer);

// A playlist address: downloaded to temp.m3u, then read. A failed download, or an address that
// is not http, https or ftp, gives DownloadFailed; the store is then empty with the address
// recorded.
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
