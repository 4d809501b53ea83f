#pragma once

#include "tools/SearchIndex.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// Runs the channel search off the window thread, on a worker with its own connection to
// data.mdb: it reads the search index, then answers each request with the row ids of its hits.
// Only the newest request counts: a search still running when a newer one arrives stops, and
// an older answer is never delivered. The answers arrive on the thread that made the runner.
class SearchRunner : public QObject {
    Q_OBJECT

public:
    explicit SearchRunner(std::filesystem::path dataMdb, QObject* parent = nullptr);
    ~SearchRunner() override;
    SearchRunner(const SearchRunner&) = delete;
    SearchRunner& operator=(const SearchRunner&) = delete;

    // The channels whose name contains `text` (none for the empty text).
    void search(const std::string& text);
    // Every channel by name.
    void showAllByName();
    // The store has changed: the index is read again before the next answer (a reading still
    // going on is interrupted).
    void reload();
    // True while a request has not been answered.
    bool busy() const { return m_answered != m_latest.load(); }

signals:
    // The hits of the newest request, in the order they are shown.
    void found(const std::vector<std::int64_t>& ids);
    // The newest request could not be answered (the store could not be read).
    void failed(const QString& message);

private:
    struct Request {
        bool allByName = false;
        std::string text;
        std::uint64_t ticket = 0;
    };

    void ask(Request request);
    void work();
    bool superseded(std::uint64_t ticket) const;
    // Answers one request; false when a newer request or a reload came first.
    bool answer(const Request& request);
    void deliver(std::uint64_t ticket, std::vector<std::int64_t> ids);
    void deliverFailure(std::uint64_t ticket, const std::string& message);

    std::filesystem::path m_dataMdb;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_pending;
    bool m_reload = true;
    bool m_closing = false;
    std::atomic<std::uint64_t> m_latest{0};
    std::uint64_t m_answered = 0;          // on the window thread
    std::unique_ptr<store::Database> m_db; // the worker's; interrupted under m_mutex
    std::optional<SearchIndex> m_index;    // the worker's
    std::thread m_thread;
};

} // namespace listrion::tools
