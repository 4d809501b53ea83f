#include "tools/LinkValidator.h"

#include "tools/HostSchedule.h"
#include "tools/LinkAddress.h"
#include "tools/LinkTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace listrion::tools {
namespace {

constexpr std::chrono::milliseconds kPollInterval{100};

std::string trimmedLink(const std::string& link)
{
    const std::size_t first = link.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return link.substr(first, link.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

// One run: the multi handle, the transfers under way and the schedule of the hosts.
class LinkValidator::Engine {
public:
    using Clock = HostSchedule::Clock;

    Engine(const LinkCheckOptions& options, const Sink& done)
        : m_options(options), m_done(done), m_multi(curl_multi_init()),
          m_hosts(options.perHost, options.backoff, options.maxBackoff)
    {
        // A redirect may lead several links of different hosts to one; the connection limit
        // per host keeps that host within the limit too.
        curl_multi_setopt(m_multi, CURLMOPT_MAX_HOST_CONNECTIONS,
                          static_cast<long>(std::max(1, options.perHost)));
    }

    ~Engine()
    {
        dropAll();
        curl_multi_cleanup(m_multi);
    }

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool run(const Source& next, const StopTest& stop);

private:
    std::size_t jobs() const { return static_cast<std::size_t>(std::max(1, m_options.jobs)); }
    void admit(LinkJob job, Clock::time_point now);
    void start(LinkJob job);
    // Settles the transfers that have ended; how many did.
    int collect(Clock::time_point now);
    void settle(LinkTransfer& transfer, CURLcode code, Clock::time_point now);
    void dropAll();
    int pollTimeout(Clock::time_point now) const;

    const LinkCheckOptions& m_options;
    const Sink& m_done;
    CURLM* m_multi;
    HostSchedule m_hosts;
    std::unordered_map<CURL*, std::unique_ptr<LinkTransfer>> m_active;
};

bool LinkValidator::Engine::run(const Source& next, const StopTest& stop)
{
    bool sourceDone = false;
    const auto stopped = [&] {
        if (stop && stop()) {
            dropAll();
            return true;
        }
        return false;
    };
    for (;;) {
        if (stopped()) {
            return false;
        }
        const Clock::time_point now = Clock::now();
        while (m_active.size() < jobs()) {
            std::optional<LinkJob> waiting = m_hosts.nextReady(now);
            if (!waiting) {
                break;
            }
            start(std::move(*waiting));
        }
        // Links decided without a transfer (files, other schemes) may follow one another for a
        // long time: the stop test is asked in between.
        for (int pulled = 1;
             !sourceDone && m_active.size() < jobs() &&
             m_hosts.waiting() < static_cast<std::size_t>(std::max(1, m_options.maxWaiting));
             ++pulled) {
            if (pulled % 256 == 0 && stopped()) {
                return false;
            }
            std::optional<LinkRequest> request = next();
            if (!request) {
                sourceDone = true;
                break;
            }
            LinkJob job;
            job.url = trimmedLink(request->link);
            job.request = std::move(*request);
            admit(std::move(job), now);
        }
        if (sourceDone && m_active.empty() && m_hosts.waiting() == 0) {
            return true;
        }
        int running = 0;
        curl_multi_perform(m_multi, &running);
        // Links that ended make room: the next ones start before anything is waited for.
        if (collect(Clock::now()) == 0) {
            curl_multi_poll(m_multi, nullptr, 0, pollTimeout(Clock::now()), nullptr);
        }
    }
}

int LinkValidator::Engine::pollTimeout(Clock::time_point now) const
{
    auto wait = kPollInterval;
    if (const auto resume = m_hosts.nextResume()) {
        wait = std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(*resume - now),
                          std::chrono::milliseconds(0), kPollInterval);
    }
    return static_cast<int>(wait.count());
}

void LinkValidator::Engine::admit(LinkJob job, Clock::time_point now)
{
    switch (classifyLink(job.url)) {
    case LinkKind::NotAnAddress:
        m_done(job.request, LinkVerdict::Broken);
        return;
    case LinkKind::File:
        m_done(job.request, fileLinkWorks(job.url) ? LinkVerdict::Working : LinkVerdict::Broken);
        return;
    case LinkKind::Untestable:
        m_done(job.request, m_options.strict ? LinkVerdict::Broken : LinkVerdict::Untested);
        return;
    case LinkKind::Transfer:
        break;
    }
    job.host = linkHost(job.url);
    if (job.host.empty()) {
        m_done(job.request, LinkVerdict::Broken);
    } else if (m_active.size() < jobs() && m_hosts.hasRoom(job.host, now)) {
        start(std::move(job));
    } else {
        m_hosts.enqueue(std::move(job));
    }
}

void LinkValidator::Engine::start(LinkJob job)
{
    auto transfer = std::make_unique<LinkTransfer>(m_options, std::move(job));
    CURL* easy = transfer->handle();
    if (easy == nullptr || curl_multi_add_handle(m_multi, easy) != CURLM_OK) {
        m_done(transfer->job().request, LinkVerdict::Broken);
        return;
    }
    m_hosts.started(transfer->job().host);
    m_active.emplace(easy, std::move(transfer));
}

int LinkValidator::Engine::collect(Clock::time_point now)
{
    int ended = 0;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        CURL* easy = message->easy_handle;
        const CURLcode code = message->data.result;
        curl_multi_remove_handle(m_multi, easy);
        const auto found = m_active.find(easy);
        if (found == m_active.end()) {
            continue;
        }
        std::unique_ptr<LinkTransfer> transfer = std::move(found->second);
        m_active.erase(found);
        m_hosts.finished(transfer->job().host);
        settle(*transfer, code, now);
        ++ended;
    }
    return ended;
}

void LinkValidator::Engine::settle(LinkTransfer& transfer, CURLcode code, Clock::time_point now)
{
    LinkJob& job = transfer.job();
    switch (transfer.finish(code)) {
    case LinkTransfer::Result::Working:
        m_done(job.request, LinkVerdict::Working);
        break;
    case LinkTransfer::Result::Broken:
        m_done(job.request, LinkVerdict::Broken);
        break;
    case LinkTransfer::Result::Throttled:
        m_hosts.throttle(job.host, transfer.retryAfter(), now);
        if (++job.throttled > m_options.throttleRetries) {
            m_done(job.request, LinkVerdict::Broken);
        } else {
            m_hosts.enqueue(std::move(job), true);
        }
        break;
    case LinkTransfer::Result::Follow:
        job.url = transfer.next();
        ++job.hop;
        admit(std::move(job), now);
        break;
    }
}

void LinkValidator::Engine::dropAll()
{
    for (auto& [easy, transfer] : m_active) {
        curl_multi_remove_handle(m_multi, easy);
    }
    m_active.clear();
}

LinkValidator::LinkValidator(LinkCheckOptions options) : m_options(std::move(options))
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

LinkValidator::~LinkValidator() = default;

bool LinkValidator::run(const Source& next, const Sink& done, const StopTest& stop)
{
    Engine engine(m_options, done);
    return engine.run(next, stop);
}

bool LinkValidator::validate(const std::string& link)
{
    bool given = false;
    LinkVerdict verdict = LinkVerdict::Broken;
    run(
        [&]() -> std::optional<LinkRequest> {
            if (given) {
                return std::nullopt;
            }
            given = true;
            return LinkRequest{0, link, {}, {}};
        },
        [&](const LinkRequest&, LinkVerdict v) { verdict = v; });
    return verdict == LinkVerdict::Working || verdict == LinkVerdict::Untested;
}

} // namespace listrion::tools
