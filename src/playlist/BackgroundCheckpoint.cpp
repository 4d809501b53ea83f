#include "playlist/BackgroundCheckpoint.h"

#include "playlist/CancelWatch.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <system_error>

namespace listrion::playlist {
namespace {

// Between two copying passes. What the last pass leaves behind is copied and synced while the
// caller waits, so a short interval keeps that tail short: a load of 100,000 channels takes
// about 0.3 s, and 20 ms instead of 100 ms between passes makes it about 0.03 s faster on disk.
// A pass that finds nothing new returns at once, without syncing.
constexpr std::chrono::milliseconds kInterval{20};
// How long the last checkpoint waits for readers before it leaves the log as it is (ms).
constexpr int kLastWait = 200;

int checkpoint(store::Database& db, int mode)
{
    // A busy, interrupted or failed checkpoint only leaves the pages in the log for the next one.
    return sqlite3_wal_checkpoint_v2(db.handle(), nullptr, mode, nullptr, nullptr);
}

} // namespace

BackgroundCheckpoint::BackgroundCheckpoint(store::Database& loading) : m_loading(loading)
{
    try {
        m_own = std::make_unique<store::Database>(loading.file());
        m_loading.exec("PRAGMA wal_autocheckpoint=0");
        m_paused = true;
    } catch (const std::exception&) {
        // The loading connection keeps checkpointing itself.
        return;
    }
    try {
        m_thread = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread: the pages are copied when the load is over.
    }
}

BackgroundCheckpoint::~BackgroundCheckpoint()
{
    finish();
}

void BackgroundCheckpoint::finish(const std::function<bool()>& cancelled)
{
    if (!m_paused || m_finished) {
        return;
    }
    m_finished = true;
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
            // A pass under way is cut short rather than waited for: at the lowest priority on a
            // busy machine it could take seconds. The pass below copies its pages again.
            if (m_inPass) {
                sqlite3_interrupt(m_own->handle());
            }
        }
        m_wake.notify_all();
        m_thread.join();
    }
    // Everything the load committed goes into the file; the log shrinks back unless a reader
    // still holds it. An interruption meant for the thread's last pass can still be pending
    // if that pass ended first; it stops this pass at once, so that one is run again.
    {
        const CancelWatch watch(cancelled, {m_own.get()});
        if (checkpoint(*m_own, SQLITE_CHECKPOINT_PASSIVE) == SQLITE_INTERRUPT && !watch.fired()) {
            checkpoint(*m_own, SQLITE_CHECKPOINT_PASSIVE);
        }
        sqlite3_busy_timeout(m_own->handle(), kLastWait);
        if (!watch.fired()) {
            checkpoint(*m_own, SQLITE_CHECKPOINT_TRUNCATE);
        }
        if (watch.fired()) {
            m_own->keepLogOnClose();
            m_loading.keepLogOnClose();
        }
    }
    try {
        m_loading.exec("PRAGMA wal_autocheckpoint=1000");
    } catch (const std::exception&) {
        // The connection is closed right after a load; nothing depends on this setting.
    }
}

void BackgroundCheckpoint::work()
{
    // The lowest priority for this thread only (a thread id names one thread here). Not the
    // idle policy: on a machine kept busy by other programs an idle thread gets a turn about
    // once a second, and the loading thread waits for this one's last pass (a 0.3 s load then
    // took up to 15 s). Where the system refuses, the copying simply competes with the load as
    // any thread does.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kInterval, [this] { return m_stopping; })) {
        m_inPass = true;
        lock.unlock();
        checkpoint(*m_own, SQLITE_CHECKPOINT_PASSIVE);
        lock.lock();
        m_inPass = false;
    }
}

} // namespace listrion::playlist
