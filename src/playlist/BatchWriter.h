#pragma once

#include "playlist/EntrySink.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace listrion::store {
class Database;
class Statement;
} // namespace listrion::store

namespace listrion::playlist {

// Stores the reader's rows into Playlist and Grupa, the incoming tables of an open or the
// staging tables of a second playlist, on a thread of its own, so reading the file and writing
// the store overlap. Rows go in batches, one transaction each: a stop or an error keeps every
// batch written before it, and a batch never holds a channel without its group row. The
// connection is the writer's alone until finish() returns. Batches are reused, so a long load
// does not allocate per row.
class BatchWriter final : public EntrySink {
public:
    explicit BatchWriter(store::Database& db, LoadTables tables = LoadTables::Working);
    ~BatchWriter() override;
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    void addChannel(const ChannelRow& row) override;
    void addGroup(const GroupRow& row) override;

    // True once writing has failed; what is handed over after that is dropped.
    bool failed() const { return m_failed.load(std::memory_order_relaxed); }
    // Writes what is still pending, waits for the thread and rethrows its error.
    void finish();

private:
    // A text of a batch, by position in the batch's text buffer.
    struct Slice {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    struct StoredChannel {
        Slice grupa, name, tvgname, tvgid, link, logo, extras;
        std::int64_t broj;
        std::string_view type;
        std::int16_t parentCode;
    };
    struct StoredGroup {
        Slice grupa;
        std::string_view type;
        std::int64_t broj;
    };
    struct Batch {
        std::string text;
        std::vector<StoredChannel> channels;
        std::vector<StoredGroup> groups;
        std::string_view view(Slice s) const { return {text.data() + s.offset, s.size}; }
    };

    Slice keep(std::string_view text);
    void handOver();
    void work();
    void write(const Batch& batch);
    store::Statement& prepared(std::unique_ptr<store::Statement>& statement,
                               const std::string& sql);
    void releaseStatements();
    static void bindChannel(store::Statement& st, int first, const Batch& batch,
                            const StoredChannel& row);

    store::Database& m_db;
    LoadTables m_tables;
    std::unique_ptr<Batch> m_pending;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Batch>> m_queue;
    std::vector<std::unique_ptr<Batch>> m_spare; // written batches, ready for reuse
    bool m_closing = false;
    std::exception_ptr m_error;
    std::atomic<bool> m_failed{false};
    // The writer thread's statements: prepared for its first batch, kept for the next ones.
    std::unique_ptr<store::Statement> m_insertMany;
    std::unique_ptr<store::Statement> m_insertOne;
    std::unique_ptr<store::Statement> m_insertGroup;
    std::thread m_thread;
};

} // namespace listrion::playlist
