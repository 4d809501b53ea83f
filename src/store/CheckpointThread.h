#pragma once

#include "store/Database.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

namespace listrion::store {

// Copies committed pages from the write-ahead log into the store file on a thread and a
// connection of its own, every `interval`, at the lowest priority: the connections that write
// then commit without stopping to wait for the disk. Every pass keeps the store's usual
// syncing, so a crash or a power cut leaves the file as safe as any other write does.
class CheckpointThread {
public:
    // Throws when the file cannot be opened. Without a thread (the system refuses one) the
    // connection is still there for the owner's own passes.
    CheckpointThread(const std::filesystem::path& file, std::chrono::milliseconds interval);
    ~CheckpointThread();
    CheckpointThread(const CheckpointThread&) = delete;
    CheckpointThread& operator=(const CheckpointThread&) = delete;

    // Ends the thread; a pass under way is cut short rather than waited for (at the lowest
    // priority on a busy machine it could take seconds). The connection stays open.
    void stop();
    Database& connection() { return m_own; }

    // One pass: a busy, interrupted or failed checkpoint leaves the pages in the log for the
    // next one. Returns the engine's result code.
    static int checkpoint(Database& db, int mode);

private:
    void work();

    Database m_own;
    std::chrono::milliseconds m_interval;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    bool m_inPass = false; // guarded by m_mutex
    std::thread m_thread;
};

// While an object of this class lives, the store's writing connections (those opened from then
// on) leave checkpoints to a CheckpointThread on `file`: they copy the log themselves only when
// it has grown past a limit, in case the thread falls far behind. For the editor, whose commands
// then end as soon as they commit, and for listrion-cli's changing commands (the last connection
// to close copies what is left).
class DeferredCheckpoints {
public:
    explicit DeferredCheckpoints(const std::filesystem::path& file);
    ~DeferredCheckpoints();
    DeferredCheckpoints(const DeferredCheckpoints&) = delete;
    DeferredCheckpoints& operator=(const DeferredCheckpoints&) = delete;

private:
    std::optional<CheckpointThread> m_thread;
};

} // namespace listrion::store
