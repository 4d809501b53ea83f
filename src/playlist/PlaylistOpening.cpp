#include "playlist/PlaylistOpening.h"

#include "playlist/AtomicFile.h"
#include "playlist/LineReader.h"
#include "playlist/LineText.h"
#include "playlist/PlaylistLoader.h"
#include "playlist/SourceError.h"
#include "store/ChangeLog.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "store/Transaction.h"

#include <chrono>
#include <optional>

namespace listrion::playlist {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Empties the store and records the source; nothing when the store cannot be opened.
std::optional<store::Database> openEmptied(const OpenOptions& options, const std::string& source,
                                           LoadResult& result)
{
    try {
        store::Database db = store::Schema::open(options.dataMdb);
        // A load starts a new history; its rows are not a step.
        db.changeLog().setEnabled(false);
        // The previous playlist's pages are reused by the load at once and hold nothing
        // secret; zeroing them as well would double the time it takes to empty a large store.
        db.exec("PRAGMA secure_delete=OFF");
        store::Izbrisi_Kopije(db);
        store::setChosenPlaylist(db, source);
        return db;
    } catch (const std::exception& e) {
        result.status = LoadStatus::Failed;
        result.message = e.what();
        return std::nullopt;
    }
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

LoadResult Open_Playlist(const std::filesystem::path& file, const OpenOptions& options,
                         ProgressObserver* observer)
{
    const Clock::time_point start = Clock::now();
    LoadResult result;
    try {
        LineReader probe(file);
    } catch (const SourceError& e) {
        result.status = e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable;
        result.message = e.what();
        return result;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    std::optional<store::Database> db =
        openEmptied(options, (ec ? file : absolute).string(), result);
    if (!db) {
        return result;
    }
    result = guarded([&] {
        PlaylistLoader loader(*db, options.reader, options.tempM3u, observer);
        return loader.Prikazi_Kanale(file);
    });
    result.seconds = secondsSince(start);
    return result;
}

LoadResult Open_URL(const std::string& address, HttpClient& http, const OpenOptions& options,
                    ProgressObserver* observer)
{
    const Clock::time_point start = Clock::now();
    LoadResult result;
    std::optional<store::Database> db = openEmptied(options, address, result);
    if (!db) {
        return result;
    }
    if (observer != nullptr) {
        Progress progress;
        progress.activity = Activity::Downloading;
        observer->progress(progress);
    }
    HttpResult download;
    if (isPlaylistAddress(address)) {
        download = DownloadFile(http, address, options.tempM3u, options.download, observer);
    } else {
        download.error = "not an http, https or ftp address";
    }
    if (!download.ok) {
        result.status = download.cancelled ? LoadStatus::Cancelled : LoadStatus::DownloadFailed;
        result.message = download.cancelled ? std::string() : address + ": " + download.error;
        result.seconds = secondsSince(start);
        return result;
    }
    result = guarded([&] {
        PlaylistLoader loader(*db, options.reader, options.tempM3u, observer);
        return loader.Prikazi_Kanale_Link(options.tempM3u);
    });
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
