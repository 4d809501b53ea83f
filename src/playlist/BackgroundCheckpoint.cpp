#include "playlist/BackgroundCheckpoint.h"

#include "playlist/CancelWatch.h"

#include <sqlite3.h>

#include <chrono>
#include <string>

namespace listrion::playlist {
namespace {

// Between two copying passes. What the last pass leaves behind is copied and synced while the
// caller waits, so a short interval keeps that tail short: a load of 100,000 channels takes
// about 0.3 s, and 20 ms instead of 100 ms between passes makes it about 0.03 s faster on disk.
// A pass that finds nothing new returns at once, without syncing.
constexpr std::chrono::milliseconds kInterval{20};
// How long the last checkpoint waits for readers before it leaves the log as it is (ms).
constexpr int kLastWait = 200;

using store::CheckpointThread;

} // namespace

BackgroundCheckpoint::BackgroundCheckpoint(store::Database& loading) : m_loading(loading)
{
    try {
        m_copying.emplace(loading.file(), kInterval);
        m_loading.exec("PRAGMA wal_autocheckpoint=0");
    } catch (const std::exception&) {
        // The loading connection keeps checkpointing itself.
        m_copying.reset();
    }
}

BackgroundCheckpoint::~BackgroundCheckpoint()
{
    finish();
}

void BackgroundCheckpoint::finish(const std::function<bool()>& cancelled)
{
    if (!m_copying || m_finished) {
        return;
    }
    m_finished = true;
    m_copying->stop();
    // Everything the load committed goes into the file; the log shrinks back unless a reader
    // still holds it. An interruption meant for the thread's last pass can still be pending
    // if that pass ended first; it stops this pass at once, so that one is run again.
    store::Database& own = m_copying->connection();
    {
        const CancelWatch watch(cancelled, {&own});
        if (CheckpointThread::checkpoint(own, SQLITE_CHECKPOINT_PASSIVE) == SQLITE_INTERRUPT &&
            !watch.fired()) {
            CheckpointThread::checkpoint(own, SQLITE_CHECKPOINT_PASSIVE);
        }
        sqlite3_busy_timeout(own.handle(), kLastWait);
        if (!watch.fired()) {
            CheckpointThread::checkpoint(own, SQLITE_CHECKPOINT_TRUNCATE);
        }
        if (watch.fired()) {
            own.keepLogOnClose();
            m_loading.keepLogOnClose();
        }
    }
    try {
        m_loading.exec("PRAGMA wal_autocheckpoint=" +
                       std::to_string(store::Database::autoCheckpointPages()));
    } catch (const std::exception&) {
        // The connection is closed right after a load; nothing depends on this setting.
    }
}

} // namespace listrion::playlist
