#include "tools/LinkCheckRun.h"

#include "playlist/StreamHeaders.h"

#include "store/Schema.h"
#include "store/Transaction.h"

#include <exception>
#include <string>
#include <vector>

namespace listrion::tools {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRunCacheKiB = 2048;

// Writes the ticks of broken channels in batches, each batch one transaction.
class TickWriter {
public:
    TickWriter(store::Database& db, const LinkCheckRunOptions& options)
        : m_db(db), m_options(options), m_lastWrite(Clock::now())
    {
    }

    void add(std::int64_t rowId)
    {
        m_pending.push_back(rowId);
        if (m_pending.size() >= static_cast<std::size_t>(m_options.tickBatch)) {
            write();
        }
    }

    void writeIfDue()
    {
        if (!m_pending.empty() && Clock::now() - m_lastWrite >= m_options.tickInterval) {
            write();
        }
    }

    void write()
    {
        m_lastWrite = Clock::now();
        if (m_pending.empty()) {
            return;
        }
        store::Transaction tx(m_db);
        store::Statement tick = m_db.prepare("UPDATE Playlist SET izberi = 1 WHERE rowid = ?");
        for (const std::int64_t rowId : m_pending) {
            tick.bind(1, rowId);
            tick.run();
            tick.reset();
        }
        tx.commit();
        m_pending.clear();
    }

private:
    store::Database& m_db;
    const LinkCheckRunOptions& m_options;
    std::vector<std::int64_t> m_pending;
    Clock::time_point m_lastWrite;
};

std::vector<std::int64_t> runOrder(store::Database& db)
{
    std::vector<std::int64_t> ids;
    store::Statement st = db.prepare("SELECT rowid FROM Playlist ORDER BY grupa, broj, rowid");
    while (st.step()) {
        ids.push_back(st.columnInt(0));
    }
    return ids;
}

void untickAll(store::Database& db)
{
    store::Transaction tx(db);
    db.exec("UPDATE Playlist SET izberi = 0 WHERE izberi <> 0");
    tx.commit();
}

void count(LinkCheckCounts& counts, LinkVerdict verdict)
{
    ++counts.processed;
    switch (verdict) {
    case LinkVerdict::Working:
        ++counts.working;
        break;
    case LinkVerdict::Broken:
        ++counts.broken;
        break;
    case LinkVerdict::Untested:
        ++counts.untested;
        break;
    }
}

void check(store::Database& db, const LinkCheckRunOptions& options, LinkCheckObserver* observer,
           LinkCheckResult& result)
{
    untickAll(db);
    const std::vector<std::int64_t> ids = runOrder(db);
    result.counts.total = static_cast<std::int64_t>(ids.size());
    if (observer != nullptr) {
        observer->progress(result.counts);
    }
    store::Statement linkOf = db.prepare("SELECT link FROM Playlist WHERE rowid = ?");
    std::size_t nextId = 0;
    TickWriter ticks(db, options);
    LinkValidator validator(options.link);
    const bool complete = validator.run(
        [&]() -> std::optional<LinkRequest> {
            if (nextId == ids.size()) {
                return std::nullopt;
            }
            LinkRequest request;
            request.id = ids[nextId++];
            linkOf.bind(1, request.id);
            if (linkOf.step()) {
                request.link = linkOf.columnText(0);
            }
            linkOf.reset();
            if (options.details) {
                options.details(db, request.id, request);
            }
            return request;
        },
        [&](const LinkRequest& request, LinkVerdict verdict) {
            count(result.counts, verdict);
            if (verdict == LinkVerdict::Broken) {
                ticks.add(request.id);
            }
            if (observer != nullptr) {
                observer->progress(result.counts);
            }
        },
        [&] {
            ticks.writeIfDue();
            return observer != nullptr && observer->stopRequested();
        });
    ticks.write();
    result.stopped = !complete;
}

} // namespace

LinkCheckResult checkPlaylistLinks(const std::filesystem::path& dataMdb,
                                   const LinkCheckRunOptions& options, LinkCheckObserver* observer)
{
    const Clock::time_point start = Clock::now();
    LinkCheckResult result;
    try {
        store::Database db = store::Schema::open(dataMdb);
        // The run reads each row once: a small page cache keeps its memory the same for a
        // playlist of any size.
        db.exec("PRAGMA cache_size=-" + std::to_string(kRunCacheKiB));
        check(db, options, observer, result);
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

LinkCheckRunOptions withKeptStreamHeaders(LinkCheckRunOptions options)
{
    options.details = [](store::Database& db, std::int64_t rowId, LinkRequest& request) {
        const playlist::StreamHeaders headers = playlist::streamHeadersOf(db, rowId);
        request.userAgent = headers.userAgent;
        request.referrer = headers.referrer;
    };
    return options;
}

} // namespace listrion::tools
