#include "playlist/PlaylistOpening.h"

#include "playlist/AtomicFile.h"
#include "playlist/LineReader.h"
#include "playlist/LineText.h"
#include "playlist/PlaylistLoader.h"
#include "playlist/SourceError.h"
#include "store/ChangeLog.h"
#include "store/Schema.h"

#include <chrono>
#include <optional>

namespace listrion::playlist {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The store a load writes to. A load starts a new history: its rows are not a step.
std::optional<store::Database> openStore(const OpenOptions& options, LoadResult& result)
{
    try {
        store::Database db = store::Schema::open(options.dataMdb);
        db.changeLog().setEnabled(false);
        // The previous playlist's pages hold nothing secret; zeroing them when they are freed
        // would double the time it takes to drop a large playlist.
        db.exec("PRAGMA secure_delete=OFF");
        return db;
    } catch (const std::exception& e) {
        result.status = LoadStatus::Failed;
        result.message = e.what();
        return std::nullopt;
    }
}

std::uintmax_t megabytes(std::uintmax_t bytes, bool roundUp)
{
    constexpr std::uintmax_t kMB = 1024 * 1024;
    return bytes / kMB + (roundUp && bytes % kMB != 0 ? 1 : 0);
}

// False, with the result saying so, when the program folder has too little room for a file of
// `bytes` to be read.
bool roomFor(std::uintmax_t bytes, const OpenOptions& options, LoadResult& result)
{
    if (!options.freeSpace) {
        return true;
    }
    const std::filesystem::path folder =
        options.dataMdb.has_parent_path() ? options.dataMdb.parent_path() : ".";
    const std::optional<std::uintmax_t> free = options.freeSpace(folder);
    const std::uintmax_t needed = spaceNeeded(bytes);
    if (!free || *free >= needed) {
        return true;
    }
    result.status = LoadStatus::NoSpace;
    result.message = "not enough free disk space: need about " +
                     std::to_string(megabytes(needed, true)) + " MB, " +
                     std::to_string(megabytes(*free, false)) + " MB free";
    return false;
}

// The loader reports its own errors; this catches what it cannot (no memory, no thread), so
// nothing is thrown at a caller that runs the load on a worker thread.
template <typename Load> LoadResult guarded(Load load)
{
    try {
        return load();
    } catch (const std::exception& e) {
        LoadResult result;
        result.status = LoadStatus::Failed;
        result.message = e.what();
        return result;
    }
}

} // namespace

std::optional<std::uintmax_t> freeSpaceOf(const std::filesystem::path& folder)
{
    std::error_code ec;
    const std::filesystem::space_info space = std::filesystem::space(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    return space.available;
}

std::uintmax_t spaceNeeded(std::uintmax_t bytes)
{
    return 2 * bytes;
}

LoadResult Open_Playlist(const std::filesystem::path& file, const OpenOptions& options,
                         ProgressObserver* observer)
{
    const Clock::time_point start = Clock::now();
    LoadResult result;
    std::int64_t size = 0;
    try {
        const LineReader probe(file);
        size = probe.fileSize();
    } catch (const SourceError& e) {
        result.status = e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable;
        result.message = e.what();
        return result;
    }
    std::optional<store::Database> db;
    if (!roomFor(static_cast<std::uintmax_t>(size), options, result) ||
        !(db = openStore(options, result))) {
        return result;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    bool wroteTemp = false;
    result = guarded([&] {
        PlaylistLoader loader(*db, options.reader, options.tempM3u, observer);
        LoadResult read = loader.Prikazi_Kanale(file, (ec ? file : absolute).string());
        wroteTemp = loader.wroteTempM3u();
        return read;
    });
    if (wroteTemp && options.removeTempM3u) {
        std::filesystem::remove(options.tempM3u, ec);
    }
    result.seconds = secondsSince(start);
    return result;
}

LoadResult Open_URL(const std::string& address, HttpClient& http, const OpenOptions& options,
                    ProgressObserver* observer)
{
    const Clock::time_point start = Clock::now();
    LoadResult result;
    if (observer != nullptr) {
        Progress progress;
        progress.activity = Activity::Downloading;
        observer->progress(progress);
    }
    // Nothing in the store changes before the playlist has arrived whole.
    HttpResult download;
    if (isPlaylistAddress(address)) {
        download = DownloadFile(http, address, options.tempM3u, options.download, observer);
    } else {
        download.error = "not an http, https or ftp address";
    }
    if (!download.ok) {
        result.status = download.cancelled ? LoadStatus::Cancelled : LoadStatus::DownloadFailed;
        result.message = download.cancelled
                             ? "cancelled while downloading; the previous playlist is kept"
                             : address + ": " + download.error;
        result.seconds = secondsSince(start);
        return result;
    }
    std::optional<store::Database> db;
    if (roomFor(static_cast<std::uintmax_t>(download.bytes), options, result) &&
        (db = openStore(options, result))) {
        result = guarded([&] {
            PlaylistLoader loader(*db, options.reader, options.tempM3u, observer);
            return loader.Prikazi_Kanale_Link(options.tempM3u, address);
        });
    }
    if (options.removeTempM3u) {
        std::error_code ignored;
        std::filesystem::remove(options.tempM3u, ignored);
    }
    result.seconds = secondsSince(start);
    return result;
}

HttpResult DownloadFile(HttpClient& http, const std::string& address,
                        const std::filesystem::path& path, const HttpLimits& limits,
                        ProgressObserver* observer)
{
    HttpResult result;
    try {
        AtomicFile file(path);
        result = http.get(
            address, limits, [&file](std::string_view chunk) { return file.write(chunk); },
            [observer] { return observer != nullptr && observer->cancelRequested(); });
        if (result.ok) {
            file.commit();
        }
    } catch (const std::exception& e) {
        result.ok = false;
        result.error = e.what();
    }
    return result;
}

bool isPlaylistAddress(std::string_view source)
{
    std::string scheme;
    for (char c : source.substr(0, source.find("://"))) {
        scheme.push_back(LineText::asciiLower(c));
    }
    return source.find("://") != std::string_view::npos &&
           (scheme == "http" || scheme == "https" || scheme == "ftp");
}

std::string typedAddress(std::string_view typed)
{
    const std::size_t first = typed.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return std::string();
    }
    const std::size_t last = typed.find_last_not_of(" \t\r\n");
    const std::string_view address = typed.substr(first, last - first + 1);
    if (address.find("://") != std::string_view::npos) {
        return std::string(address);
    }
    return "http://" + std::string(address);
}

} // namespace listrion::playlist
