#pragma once

#include "tools/LinkValidator.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace listrion::tools {

// A link on its way through the check: the request, the address fetched now (an HLS playlist's
// entry after its playlist) and how often its host asked it to wait.
struct LinkJob {
    LinkRequest request;
    std::string url;
    std::string host;
    int hop = 0;       // playlists followed so far
    int throttled = 0; // 429 and 503 answers so far
};

// Which link may start on which host: at most the per-host limit at once, hosts that answered
// 429 or 503 paused and held to one link at a time, and the links of a busy host waiting in
// their order. Hosts take turns so one large provider does not hold up the others.
class HostSchedule {
public:
    using Clock = std::chrono::steady_clock;

    HostSchedule(int perHost, std::chrono::milliseconds backoff,
                 std::chrono::milliseconds maxBackoff);

    // True when a new link of this host may start at once (no link of it waiting, a free place,
    // not paused).
    bool hasRoom(const std::string& host, Clock::time_point now) const;
    // Queues a link behind its host; a retry goes first.
    void enqueue(LinkJob job, bool retry = false);
    // A waiting link whose host has room now, or nothing.
    std::optional<LinkJob> nextReady(Clock::time_point now);

    void started(const std::string& host);
    void finished(const std::string& host);
    // The host answered 429 or 503: it pauses (its Retry-After when given, else the back-off,
    // doubling each time) and from now on takes one link at a time.
    void throttle(const std::string& host, std::optional<std::chrono::seconds> retryAfter,
                  Clock::time_point now);

    std::size_t waiting() const { return m_waiting; }
    int limit(const std::string& host) const;
    // When the first paused host with waiting links resumes.
    std::optional<Clock::time_point> nextResume() const;

private:
    struct Host {
        int active = 0;
        int limit = 0;
        int pauses = 0;
        Clock::time_point pausedUntil{};
        std::deque<LinkJob> queue;
    };

    bool ready(const Host& host, Clock::time_point now) const;
    void forgetIfIdle(const std::string& name);

    int m_perHost;
    std::chrono::milliseconds m_backoff;
    std::chrono::milliseconds m_maxBackoff;
    std::unordered_map<std::string, Host> m_hosts;
    std::vector<std::string> m_queued; // hosts with waiting links, in turn order
    std::size_t m_waiting = 0;
};

} // namespace listrion::tools
