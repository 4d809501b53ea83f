#include "playlist/PlaylistLoader.h"

#include "playlist/BackgroundCheckpoint.h"
#include "playlist/BatchWriter.h"
#include "playlist/CancelWatch.h"
#include "playlist/GroupIndex.h"
#include "playlist/LineReader.h"
#include "playlist/PlaylistEncoding.h"
#include "playlist/PlaylistReader.h"
#include "playlist/PlaylistRestructure.h"
#include "playlist/SourceError.h"
#include "store/Database.h"
#include "store/IncomingTables.h"
#include "store/Schema.h"
#include "store/SqlError.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <sqlite3.h>

#include <string>
#include <unordered_map>

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

void failSource(LoadResult& result, const SourceError& e)
{
    fail(result, e.missing() ? LoadStatus::SourceMissing : LoadStatus::SourceUnreadable, e.what());
}

void changed(LoadResult& result)
{
    fail(result, LoadStatus::SourceChanged,
         "the file changed while it was read; " + std::to_string(result.counts.entries) +
             " entries read");
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

LoadResult PlaylistLoader::Prikazi_Kanale(const std::filesystem::path& file,
                                          const std::string& source)
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
    finish(result, source);
    checkpoints.finish([this] { return m_observer != nullptr && m_observer->cancelRequested(); });
    return result;
}

LoadResult PlaylistLoader::Prikazi_Kanale_Link(const std::filesystem::path& file,
                                               const std::string& source)
{
    BackgroundCheckpoint checkpoints(m_db);
    LoadResult result;
    const std::optional<std::filesystem::path> text = prepareText(file, result);
    bool restructure = false;
    if (text) {
        result = read(*text, false, restructure);
    }
    finish(result, source);
    checkpoints.finish([this] { return m_observer != nullptr && m_observer->cancelRequested(); });
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
        // uses stays the open playlist's. An open records it when its playlist is swapped in.
        if (m_tables != LoadTables::Second) {
            m_codepage = recordedForm(*encoding);
        }
        m_options.codepage = encoding->codepage;
        m_options.automaticCodepage = false;
        if (encoding->utf16 == FileEncoding::Utf16::None) {
            return file;
        }
        m_converted = true;
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
        Progress progress;
        progress.activity = Activity::Restructuring;
        report(m_observer, progress);
        m_restructured = true;
        if (!Prepisi_Playlistu(file, m_tempM3u, m_observer)) {
            result.status = LoadStatus::Cancelled;
            return result;
        }
    } catch (const SourceError& e) {
        failSource(result, e);
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
    std::optional<Count> count;
    try {
        count = countLines(file, result);
        if (!count) {
            return result;
        }
        result.counts.lineCount = count->lines;
    } catch (const SourceError& e) {
        failSource(result, e);
        return result;
    }
    try {
        if (m_tables == LoadTables::Second) {
            store::Schema::dropStagingIndex(m_db);
        } else {
            store::IncomingTables::prepare(m_db);
            m_staged = true;
        }
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
        return result;
    }
    restructure = readLines(file, *count, lineBreakTest, result);
    return result;
}

std::optional<PlaylistLoader::Count> PlaylistLoader::countLines(const std::filesystem::path& file,
                                                                LoadResult& result)
{
    LineReader reader(file);
    Progress progress;
    progress.activity = Activity::Counting;
    report(m_observer, progress);
    std::string_view line;
    Count count;
    while (reader.next(line)) {
        if (++count.lines % kCountPollEvery == 0 && m_observer != nullptr &&
            m_observer->cancelRequested()) {
            result.status = LoadStatus::Cancelled;
            return std::nullopt;
        }
    }
    if (!reader.unchanged()) {
        changed(result);
        return std::nullopt;
    }
    count.stamp = reader.stamp();
    return count;
}

bool PlaylistLoader::readLines(const std::filesystem::path& file, const Count& count,
                               bool lineBreakTest, LoadResult& result)
{
    GroupIndex groups;
    std::optional<LineReader> reader;
    try {
        reader.emplace(file);
    } catch (const SourceError& e) {
        failSource(result, e);
        return false;
    }
    BatchWriter writer(m_db,
                       m_tables == LoadTables::Second ? LoadTables::Second : LoadTables::Incoming);
    PlaylistReader lines(m_options, lineBreakTest, groups, writer, m_observer);
    lines.setLineCount(count.lines);
    PlaylistReader::Step step = PlaylistReader::Step::Continue;
    bool atEnd = false;
    try {
        std::string_view line;
        while (step == PlaylistReader::Step::Continue && !writer.failed()) {
            if (!reader->next(line)) {
                atEnd = true;
                break;
            }
            step = lines.handleLine(line);
        }
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
    try {
        writer.finish();
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
    m_headerExtras = lines.headerExtras();
    lines.report();
    result.counts = lines.progress();
    // Read to its end, the file must still be the one counted, whole: one that grew, shrank or
    // was replaced meanwhile gives no silent partial playlist.
    if (atEnd && (!(reader->stamp() == count.stamp) || !reader->unchanged() ||
                  result.counts.line != count.lines)) {
        changed(result);
    }
    if (step == PlaylistReader::Step::Cancelled) {
        fail(result, LoadStatus::Cancelled, {});
    } else if (step == PlaylistReader::Step::LimitReached) {
        fail(result, LoadStatus::LimitReached, {});
    }
    // Nothing is stored before the first #EXTINF: line, so a restructure starts from scratch.
    return step == PlaylistReader::Step::Restructure && result.status != LoadStatus::Failed;
}

// Run_Backup's place: every run ends here, whatever stopped it.
void PlaylistLoader::finish(LoadResult& result, const std::string& source)
{
    if (m_tables == LoadTables::Second) {
        // The staging tables hold what was read, however the run ended.
        storeStagedCounts(result);
        result.replaced = result.status == LoadStatus::Loaded ||
                          result.status == LoadStatus::Cancelled ||
                          result.status == LoadStatus::LimitReached;
        return;
    }
    if (result.status == LoadStatus::Loaded && result.channels() == 0) {
        fail(result, LoadStatus::NoEntries, "no playlist entries found in " + source);
    }
    const bool swap = result.status == LoadStatus::Loaded ||
                      result.status == LoadStatus::LimitReached ||
                      (result.status == LoadStatus::Cancelled && result.channels() > 0);
    if (m_staged && swap) {
        swapIn(result, source);
    }
    if (m_staged && !result.replaced) {
        dropLoadTables(result);
    }
    if (result.status == LoadStatus::Cancelled && !result.replaced && result.message.empty()) {
        result.message = "cancelled before anything was read; the previous playlist is kept";
    }
}

// Zapisi_Stevilo_Grupa_Second: every staged group's count, from one pass over the staged
// channels with their group names compared as the store compares them.
void PlaylistLoader::storeStagedCounts(LoadResult& result)
{
    try {
        std::unordered_map<std::string, std::int64_t> counts; // by foldKey
        store::FoldedLookup<std::int64_t*> countOf(
            [&counts](const std::string& key) { return &counts[key]; });
        store::Statement channels = m_db.prepare("SELECT grupa FROM Playlist_Second");
        while (channels.step()) {
            if (!channels.isNull(0)) {
                ++*countOf(channels.columnView(0));
            }
        }
        store::Transaction tx(m_db);
        store::Statement groups = m_db.prepare("SELECT rowid, grupa FROM Grupa_Second");
        store::Statement update = m_db.prepare("UPDATE Grupa_Second SET count = ? WHERE rowid = ?");
        while (groups.step()) {
            const auto found =
                groups.isNull(1) ? counts.end() : counts.find(store::foldKey(groups.columnView(1)));
            update.bindAll(found == counts.end() ? 0 : found->second, groups.columnInt(0));
            update.run();
        }
        groups.reset();
        tx.commit();
    } catch (const std::exception& e) {
        fail(result, LoadStatus::Failed, e.what());
    }
}

// The rows read take the open playlist's place. A Cancel asked for while this runs (beyond the
// one that may have stopped the reading) stops it and keeps the open playlist.
void PlaylistLoader::swapIn(LoadResult& result, const std::string& source)
{
    const int before = m_observer != nullptr ? m_observer->cancelRequests() : 0;
    CancelWatch watch(
        [this, before] { return m_observer != nullptr && m_observer->cancelRequests() > before; },
        {&m_db});
    try {
        Progress progress = result.counts;
        progress.activity = Activity::MakingBackup;
        report(m_observer, progress);
        store::IncomingTables::copySnapshot(m_db);
        progress.activity = Activity::Indexing;
        report(m_observer, progress);
        store::IncomingTables::swapIn(m_db, {source, m_headerExtras, m_restructured, m_codepage});
        result.replaced = true;
    } catch (const std::exception& e) {
        const auto* sql = dynamic_cast<const store::SqlError*>(&e);
        if (watch.fired() || (sql != nullptr && (sql->code() & 0xff) == SQLITE_INTERRUPT)) {
            result.status = LoadStatus::Cancelled;
            result.message = "cancelled before the playlist was stored; the previous playlist "
                             "is kept";
        } else {
            fail(result, LoadStatus::Failed, e.what());
        }
    }
}

void PlaylistLoader::dropLoadTables(LoadResult& result)
{
    try {
        store::IncomingTables::drop(m_db);
    } catch (const std::exception& e) {
        // The next open or the next start drops them; the open playlist is whole either way.
        if (result.message.empty()) {
            result.message = e.what();
        }
    }
}

} // namespace listrion::playlist
