#pragma once

#include "store/CheckpointThread.h"
#include "store/Database.h"

#include <functional>
#include <optional>

namespace listrion::playlist {

// While a long load writes, copies the committed pages from the write-ahead log into the
// database file on a thread and a connection of its own, so the loading connection never
// stops to wait for the disk. The thread runs at the lowest priority: it takes hardly any
// processor time the parsing and inserting need, and catches up once the rows are in. The loading
// connection's own automatic checkpoints are off for as long as this object lives; every
// checkpoint keeps the store's usual syncing, so a crash or a power cut leaves the file as
// safe as any other write does.
class BackgroundCheckpoint {
public:
    explicit BackgroundCheckpoint(store::Database& loading);
    // Stops the thread, copies what is left at the caller's own priority and gives the
    // loading connection its automatic checkpoints back. When `cancelled` says yes meanwhile,
    // the copying stops at once and both connections leave the rest in the log (the next
    // connection to the file copies it).
    void finish(const std::function<bool()>& cancelled = {});
    // finish(), unless it ran.
    ~BackgroundCheckpoint();
    BackgroundCheckpoint(const BackgroundCheckpoint&) = delete;
    BackgroundCheckpoint& operator=(const BackgroundCheckpoint&) = delete;

private:
    store::Database& m_loading;
    std::optional<store::CheckpointThread> m_copying;
    bool m_finished = false;
};

} // namespace listrion::playlist
