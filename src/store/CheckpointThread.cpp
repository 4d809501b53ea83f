#include "store/CheckpointThread.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <system_error>

namespace listrion::store {

CheckpointThread::CheckpointThread(const std::filesystem::path& file,
                                   std::chrono::milliseconds interval)
    : m_own(file), m_interval(interval)
{
    // This connection only copies; it must not be held back by the deferral it serves.
    m_own.exec("PRAGMA wal_autocheckpoint=0");
    try {
        m_thread = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread: the owner's own passes and the writers' limit copy the pages.
    }
}

CheckpointThread::~CheckpointThread()
{
    stop();
}

void CheckpointThread::stop()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        if (m_inPass) {
            sqlite3_interrupt(m_own.handle());
        }
    }
    m_wake.notify_all();
    m_thread.join();
}

int CheckpointThread::checkpoint(Database& db, int mode)
{
    return sqlite3_wal_checkpoint_v2(db.handle(), nullptr, mode, nullptr, nullptr);
}

void CheckpointThread::work()
{
    // The lowest priority for this thread only (a thread id names one thread here). Not the
    // idle policy: on a machine kept busy by other programs an idle thread gets a turn about
    // once a second. Where the system refuses, the copying competes as any thread does.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, m_interval, [this] { return m_stopping; })) {
        m_inPass = true;
        lock.unlock();
        checkpoint(m_own, SQLITE_CHECKPOINT_PASSIVE);
        lock.lock();
        m_inPass = false;
    }
}

namespace {
// A pass with nothing new to copy returns at once, so a short interval costs nothing while the
// store is idle and keeps the log short after a command.
constexpr std::chrono::milliseconds kEditorInterval{200};
} // namespace

DeferredCheckpoints::DeferredCheckpoints(const std::filesystem::path& file)
{
    try {
        m_thread.emplace(file, kEditorInterval);
    } catch (const std::exception&) {
        // The writers keep checkpointing themselves.
        return;
    }
    Database::setDeferredCheckpoints(true);
}

DeferredCheckpoints::~DeferredCheckpoints()
{
    if (m_thread) {
        Database::setDeferredCheckpoints(false);
        m_thread->stop();
    }
}

} // namespace listrion::store
