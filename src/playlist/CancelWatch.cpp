#include "playlist/CancelWatch.h"

#include "store/Database.h"

#include <chrono>
#include <system_error>

namespace listrion::playlist {
namespace {

constexpr std::chrono::milliseconds kPoll{100};
// Once fired, the statements are interrupted this often.
constexpr std::chrono::milliseconds kRepeat{10};

} // namespace

CancelWatch::CancelWatch(std::function<bool()> requested, std::vector<store::Database*> connections)
    : m_requested(std::move(requested)), m_connections(std::move(connections))
{
    if (!m_requested) {
        return;
    }
    try {
        m_thread = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread: the work runs to its end, as it would without Cancel.
    }
}

CancelWatch::~CancelWatch()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CancelWatch::work()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_fired && m_requested()) {
            m_fired = true;
        }
        if (m_fired) {
            for (store::Database* db : m_connections) {
                db->interrupt();
            }
        }
        m_wake.wait_for(lock, m_fired ? kRepeat : kPoll, [this] { return m_stopping; });
    }
}

} // namespace listrion::playlist
