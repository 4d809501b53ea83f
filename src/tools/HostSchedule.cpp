#include "tools/HostSchedule.h"

#include <algorithm>

namespace listrion::tools {

HostSchedule::HostSchedule(int perHost, std::chrono::milliseconds backoff,
                           std::chrono::milliseconds maxBackoff)
    : m_perHost(std::max(1, perHost)), m_backoff(backoff), m_maxBackoff(maxBackoff)
{
}

bool HostSchedule::ready(const Host& host, Clock::time_point now) const
{
    return host.active < host.limit && host.pausedUntil <= now;
}

bool HostSchedule::hasRoom(const std::string& host, Clock::time_point now) const
{
    const auto found = m_hosts.find(host);
    return found == m_hosts.end() || (found->second.queue.empty() && ready(found->second, now));
}

void HostSchedule::enqueue(LinkJob job, bool retry)
{
    const std::string name = job.host;
    auto [it, added] = m_hosts.try_emplace(name);
    Host& host = it->second;
    if (added) {
        host.limit = 1;
    }
    if (host.queue.empty()) {
        m_queued.push_back(name);
    }
    if (retry) {
        host.queue.push_front(std::move(job));
    } else {
        host.queue.push_back(std::move(job));
    }
    ++m_waiting;
}

std::optional<LinkJob> HostSchedule::nextReady(Clock::time_point now)
{
    for (std::size_t i = 0; i < m_queued.size(); ++i) {
        Host& host = m_hosts.at(m_queued[i]);
        if (!ready(host, now)) {
            continue;
        }
        LinkJob job = std::move(host.queue.front());
        host.queue.pop_front();
        --m_waiting;
        // The host goes to the end of the turn, or out of it when nothing of it waits.
        std::string name = std::move(m_queued[i]);
        m_queued.erase(m_queued.begin() + static_cast<std::ptrdiff_t>(i));
        if (!host.queue.empty()) {
            m_queued.push_back(std::move(name));
        }
        return job;
    }
    return std::nullopt;
}

void HostSchedule::started(const std::string& host)
{
    auto [it, added] = m_hosts.try_emplace(host);
    if (added) {
        it->second.limit = m_perHost;
    }
    ++it->second.active;
}

void HostSchedule::finished(const std::string& host)
{
    const auto it = m_hosts.find(host);
    if (it != m_hosts.end() && it->second.active > 0) {
        --it->second.active;
        forgetIfIdle(host);
    }
}

void HostSchedule::forgetIfIdle(const std::string& name)
{
    // A run over a million links meets thousands of hosts; only those with links under way or
    // waiting, or that asked to slow down, are remembered.
    const auto it = m_hosts.find(name);
    if (it != m_hosts.end() && it->second.active == 0 && it->second.queue.empty() &&
        it->second.pauses == 0) {
        m_hosts.erase(it);
    }
}

void HostSchedule::throttle(const std::string& name, std::optional<std::chrono::seconds> retryAfter,
                            Clock::time_point now)
{
    Host& host = m_hosts[name];
    host.limit = 1;
    std::chrono::milliseconds pause = m_backoff * (1LL << std::min(host.pauses, 16));
    if (retryAfter) {
        pause = std::chrono::duration_cast<std::chrono::milliseconds>(*retryAfter);
    }
    pause = std::clamp(pause, std::chrono::milliseconds(0), m_maxBackoff);
    host.pausedUntil = std::max(host.pausedUntil, now + pause);
    ++host.pauses;
}

int HostSchedule::limit(const std::string& host) const
{
    const auto it = m_hosts.find(host);
    return it == m_hosts.end() ? m_perHost : it->second.limit;
}

std::optional<HostSchedule::Clock::time_point> HostSchedule::nextResume() const
{
    std::optional<Clock::time_point> first;
    for (const std::string& name : m_queued) {
        const Host& host = m_hosts.at(name);
        if (host.active < host.limit && (!first || host.pausedUntil < *first)) {
            first = host.pausedUntil;
        }
    }
    return first;
}

} // namespace listrion::tools
