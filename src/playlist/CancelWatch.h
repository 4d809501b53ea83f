#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// Carries Cancel into work that does not poll: while it lives, a thread asks `requested` ten
// times a second and, once it says yes, interrupts the statements of the given connections
// (again and again, so a statement that starts later is stopped too) until the watch ends. The
// interrupted work ends with an interrupt error; its transaction is rolled back by its owner.
class CancelWatch {
public:
    CancelWatch(std::function<bool()> requested, std::vector<store::Database*> connections);
    ~CancelWatch();
    CancelWatch(const CancelWatch&) = delete;
    CancelWatch& operator=(const CancelWatch&) = delete;

    // True once Cancel was seen (also when nothing was running to interrupt).
    bool fired() const { return m_fired.load(); }

private:
    void work();

    std::function<bool()> m_requested;
    std::vector<store::Database*> m_connections;
    std::atomic<bool> m_fired{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace listrion::playlist
