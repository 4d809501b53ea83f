#include "playlist/PlaylistLoader.h"

#include "playlist/BackgroundCheckpoint.h"
#include "playlist/BatchWriter.h"
#include "playlist/GroupIndex.h"
#include "playlist/LineReader.h"
#include "playlist/PlaylistEncoding.h"
#include "playlist/PlaylistReader.h"
#include "playlist/PlaylistRestructure.h"
#include "playlist/SourceError.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "store/Transaction.h"

#include <optional>

namespace listrion::playlist {
namespace {

constexpr std::int64_t kCountPollEvery = 65536;

void fail(LoadResult& result, LoadStatus status, const std::string& message)
{
    if (result.status != LoadStatus::Failed) {
        result.status = status;
        result.message = message;
    }
}

void report(ProgressObserver* observer, const Progress& progress)
{
    if (observer != nullptr) {
        observer->progress(progress);
    }
}

} // namespace

PlaylistLoader::PlaylistLoader(store::Database& db, ReaderOptions options,
                               std::filesystem::path tempM3u, ProgressObserver* observer,
                               LoadTables tables)
    : m_db(db), m_options(std::move(options)), m_tempM3u(std::move(tempM3u)), m_observer(observer),
      m_tables(tables)
{
}

LoadResult PlaylistLoader::Prikazi_Kanale(const std::filesystem::path& file)
{
    BackgroundCheckpoint checkpoints(m_db);
    LoadResult result;
    const std::optional<std::filesystem::path> text = prepareText(file, result);
    bool restructure = false;
    if (text) {
        result = read(*text, true, restructure);
    }
    if (restructure) {
        result = Prikazi_Kanale2(*text);
    }
    finish(result);
    return result;
}

LoadResult PlaylistLoader::Prikazi_Kanale_Link(const std::filesystem::path& file)
{
    BackgroundCheckpoint checkpoints(m_db);
    LoadResult result;
    const std::optional<std::filesystem::path> text = prepareText(file, result);
    bool restructure = false;
    if (text) {
        result = read(*text, false, restructure);
    }
    finish(result);
    return result;
}

std::optional<std::filesystem::path> PlaylistLoader::prepareText(const std::filesystem::path& file,
                                                                 LoadResult& result)
{
    try {
        const CodepageChoice choice{m_options.codepage, m_options.automaticCodepage};
        const std::optional<FileEncoding> encoding = examineFile(file, choice, m_observer);
        if (!encoding) {
            result.status = LoadStatus::Cancelled;
            return std::nullopt;
        }
        // A second playlist staged for a merge is read by its own bytes; the code page saving
        // uses stays the open playlist's.
        if (m_tables == LoadTables::Working) {
            recordEncoding(m_db, *encoding);
        }
        m_options.codepage = encoding->codepage;
        m_options.automaticCodepage = false;
        if (encoding->utf16 == FileEncoding::Utf16::None) {
            return file;
        }
        if (!convertUtf16(file, encoding->utf16, m_tempM3u, m_observer)) {
            result.status = LoadStatus::Cancelled;
            return std::nullopt;
        }
        return m_tempM3u;
    } catch (const SourceError& e) {
        fail(result, e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable,
             e.what());
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
    return std::nullopt;
}

LoadResult PlaylistLoader::Prikazi_Kanale2(const std::filesystem::path& file)
{
    LoadResult result;
    try {
        store::Transaction tx(m_db);
        m_db.exec("DELETE FROM Playlist_Second; DELETE FROM Grupa_Second;");
        tx.commit();
        Progress progress;
        progress.activity = Activity::Restructuring;
        report(m_observer, progress);
        if (!Prepisi_Playlistu(file, m_tempM3u, m_observer)) {
            result.status = LoadStatus::Cancelled;
            return result;
        }
    } catch (const SourceError& e) {
        fail(result, e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable,
             e.what());
        return result;
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
        return result;
    }
    bool restructure = false;
    return read(m_tempM3u, false, restructure);
}

LoadResult PlaylistLoader::read(const std::filesystem::path& file, bool lineBreakTest,
                                bool& restructure)
{
    LoadResult result;
    try {
        const std::optional<std::int64_t> lines = countLines(file);
        if (!lines) {
            result.status = LoadStatus::Cancelled;
            return result;
        }
        result.counts.lineCount = *lines;
    } catch (const SourceError& e) {
        fail(result, e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable,
             e.what());
        return result;
    }
    try {
        if (m_tables == LoadTables::Working) {
            store::Schema::dropPlaylistGroupIndex(m_db);
        } else {
            store::Schema::dropStagingIndex(m_db);
        }
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
        return result;
    }
    restructure = readLines(file, lineBreakTest, result);
    return result;
}

std::optional<std::int64_t> PlaylistLoader::countLines(const std::filesystem::path& file)
{
    LineReader reader(file);
    Progress progress;
    progress.activity = Activity::Counting;
    report(m_observer, progress);
    std::string_view line;
    std::int64_t count = 0;
    while (reader.next(line)) {
        if (++count % kCountPollEvery == 0 && m_observer != nullptr &&
            m_observer->cancelRequested()) {
            return std::nullopt;
        }
    }
    return count;
}

bool PlaylistLoader::readLines(const std::filesystem::path& file, bool lineBreakTest,
                               LoadResult& result)
{
    GroupIndex groups;
    std::optional<LineReader> reader;
    try {
        if (m_tables == LoadTables::Working) {
            groups = GroupIndex::fromStore(m_db);
        }
        reader.emplace(file);
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
        return false;
    }
    BatchWriter writer(m_db, m_tables);
    PlaylistReader lines(m_options, lineBreakTest, groups, writer, m_observer);
    lines.setLineCount(result.counts.lineCount);
    PlaylistReader::Step step = PlaylistReader::Step::Continue;
    try {
        std::string_view line;
        while (step == PlaylistReader::Step::Continue && !writer.failed() && reader->next(line)) {
            step = lines.handleLine(line);
        }
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
    try {
        writer.finish();
        // A second playlist's header is not the open playlist's.
        if (const std::string header = lines.headerExtras();
            !header.empty() && m_tables == LoadTables::Working) {
            store::setPlaylistExtras(m_db, header);
        }
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
    lines.report();
    result.counts = lines.progress();
    if (step == PlaylistReader::Step::Cancelled) {
        fail(result, LoadStatus::Cancelled, {});
    } else if (step == PlaylistReader::Step::LimitReached) {
        fail(result, LoadStatus::LimitReached, {});
    }
    // Nothing is stored before the first #EXTINF: line, so a restructure starts from scratch.
    return step == PlaylistReader::Step::Restructure && result.status != LoadStatus::Failed;
}

// Run_Backup's place: every run ends here, whatever stopped it.
void PlaylistLoader::finish(LoadResult& result)
{
    if (m_tables == LoadTables::Second) {
        storeStagedCounts(result);
        return;
    }
    // The snapshot comes first: its pages then reach the file while the indexes are built.
    writeUndoSnapshot(result);
    rebuildIndexes(result);
    storeCounts(result);
}

// Every group's count, in the working tables and in the snapshot, read through the new index.
void PlaylistLoader::storeCounts(LoadResult& result)
{
    try {
        store::Transaction tx(m_db);
        m_db.exec("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist "
                  "WHERE Playlist.grupa = Grupa.grupa);"
                  "UPDATE Grupa_backup SET count = (SELECT count(*) FROM Playlist "
                  "WHERE Playlist.grupa = Grupa_backup.grupa);");
        tx.commit();
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
}

// Zapisi_Stevilo_Grupa_Second: every staged group's count, read through the index built afresh.
void PlaylistLoader::storeStagedCounts(LoadResult& result)
{
    try {
        store::Schema::createStagingIndexAfterLoad(m_db);
        store::Transaction tx(m_db);
        m_db.exec("UPDATE Grupa_Second SET count = (SELECT count(*) FROM Playlist_Second "
                  "WHERE Playlist_Second.grupa = Grupa_Second.grupa)");
        tx.commit();
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
}

// The playlist as loaded, in one transaction, so the snapshot is whole or empty.
void PlaylistLoader::writeUndoSnapshot(LoadResult& result)
{
    try {
        Progress progress = result.counts;
        progress.activity = Activity::MakingBackup;
        report(m_observer, progress);
        store::Transaction tx(m_db);
        m_db.exec("DELETE FROM Grupa_backup; DELETE FROM Playlist_backup;"
                  "INSERT INTO Grupa_backup SELECT * FROM Grupa;"
                  "INSERT INTO Playlist_backup SELECT * FROM Playlist;");
        tx.commit();
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
}

void PlaylistLoader::rebuildIndexes(LoadResult& result)
{
    try {
        Progress progress = result.counts;
        progress.activity = Activity::Indexing;
        report(m_observer, progress);
        store::Schema::createPlaylistIndexesAfterLoad(m_db);
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
}

} // namespace listrion::playlist
