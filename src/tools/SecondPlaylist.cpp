#include "tools/SecondPlaylist.h"

#include "playlist/PlaylistLoader.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <algorithm>
#include <chrono>
#include <fstream>

namespace listrion::tools {
namespace {

// A text file has no NUL byte; a playlist saved as UTF-16, an archive or a picture has some
// within its first few kilobytes.
constexpr std::size_t kProbeBytes = 65536;

// Why the file cannot be a playlist, or nothing when it may be one.
playlist::LoadResult probe(const std::filesystem::path& file)
{
    playlist::LoadResult result;
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status)) {
        result.status = playlist::LoadStatus::SourceMissing;
        result.message = file.string() + ": no such file";
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    if (!std::filesystem::is_regular_file(status) || !in) {
        result.status = playlist::LoadStatus::SourceUnreadable;
        result.message = file.string() + ": cannot be read";
        return result;
    }
    std::string head(kProbeBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (in.bad()) {
        result.status = playlist::LoadStatus::SourceUnreadable;
        result.message = file.string() + ": cannot be read";
        return result;
    }
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (head.find('\0') != std::string::npos) {
        result.status = playlist::LoadStatus::SourceUnreadable;
        result.message = file.string() + ": not a playlist (the file holds binary data)";
    }
    return result;
}

} // namespace

void emptyStaging(store::Database& db)
{
    store::Transaction tx(db);
    db.exec("DELETE FROM Grupa_Second; DELETE FROM Playlist_Second;");
    tx.commit();
}

playlist::LoadResult stageSecondPlaylist(const std::filesystem::path& file,
                                         const playlist::OpenOptions& options,
                                         playlist::ProgressObserver* observer)
{
    const auto start = std::chrono::steady_clock::now();
    playlist::LoadResult result = probe(file);
    if (result.status != playlist::LoadStatus::Loaded) {
        return result;
    }
    try {
        store::Database db = store::Schema::open(options.dataMdb);
        emptyStaging(db);
        playlist::ReaderOptions reader = options.reader;
        reader.typeRule = playlist::TypeRule::Merge;
        playlist::PlaylistLoader loader(db, reader, options.tempM3u, observer,
                                        playlist::LoadTables::Second);
        result = loader.Prikazi_Kanale(file, file.string());
    } catch (const std::exception& e) {
        result.status = playlist::LoadStatus::Failed;
        result.message = e.what();
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

} // namespace listrion::tools
