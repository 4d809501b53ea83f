#include "tools/SearchRunner.h"

#include "store/Database.h"

#include <exception>

namespace listrion::tools {

SearchRunner::SearchRunner(std::filesystem::path dataMdb, QObject* parent)
    : QObject(parent), m_dataMdb(std::move(dataMdb))
{
    m_thread = std::thread([this] { work(); });
}

SearchRunner::~SearchRunner()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
        if (m_db) {
            m_db->interrupt();
        }
    }
    m_wake.notify_all();
    m_thread.join();
}

void SearchRunner::search(const std::string& text)
{
    ask({false, text, 0});
}

void SearchRunner::showAllByName()
{
    ask({true, {}, 0});
}

void SearchRunner::reload()
{
    const std::lock_guard lock(m_mutex);
    m_reload = true;
    if (m_db) {
        m_db->interrupt();
    }
}

void SearchRunner::ask(Request request)
{
    request.ticket = ++m_latest;
    {
        const std::lock_guard lock(m_mutex);
        m_pending = std::move(request);
    }
    m_wake.notify_all();
}

bool SearchRunner::superseded(std::uint64_t ticket) const
{
    return m_latest.load() != ticket;
}

void SearchRunner::work()
{
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_pending || m_closing; });
            if (m_closing) {
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
        }
        try {
            if (!answer(request)) {
                // Interrupted by a reload: the request is answered after it, unless a newer
                // one is waiting.
                const std::lock_guard lock(m_mutex);
                if (!m_pending && !superseded(request.ticket)) {
                    m_pending = request;
                }
            }
        } catch (const std::exception& error) {
            bool reloading = false;
            {
                const std::lock_guard lock(m_mutex);
                reloading = m_reload || m_closing;
                if (reloading && !m_pending && !superseded(request.ticket)) {
                    m_pending = request;
                }
            }
            if (!reloading) {
                deliverFailure(request.ticket, error.what());
            }
        }
    }
}

bool SearchRunner::answer(const Request& request)
{
    bool reload = false;
    {
        const std::lock_guard lock(m_mutex);
        reload = m_reload || !m_index;
        m_reload = false;
        if (!m_db) {
            m_db = std::make_unique<store::Database>(m_dataMdb);
        }
    }
    if (reload) {
        m_index.reset();
        m_index = SearchIndex::read(*m_db);
    }
    {
        const std::lock_guard lock(m_mutex);
        if (m_reload) {
            return false;
        }
    }
    if (superseded(request.ticket)) {
        return true;
    }
    std::optional<std::vector<std::int64_t>> ids =
        request.allByName
            ? m_index->allByName()
            : m_index->find(request.text, [this, &request] { return superseded(request.ticket); });
    if (ids) {
        deliver(request.ticket, std::move(*ids));
    }
    return true;
}

void SearchRunner::deliver(std::uint64_t ticket, std::vector<std::int64_t> ids)
{
    QMetaObject::invokeMethod(
        this,
        [this, ticket, ids = std::move(ids)] {
            if (ticket == m_latest.load()) {
                m_answered = ticket;
                emit found(ids);
            }
        },
        Qt::QueuedConnection);
}

void SearchRunner::deliverFailure(std::uint64_t ticket, const std::string& message)
{
    QMetaObject::invokeMethod(
        this,
        [this, ticket, text = QString::fromStdString(message)] {
            if (ticket == m_latest.load()) {
                m_answered = ticket;
                emit failed(text);
            }
        },
        Qt::QueuedConnection);
}

} // namespace listrion::tools
