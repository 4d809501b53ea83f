#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace listrion::tools {

enum class LinkVerdict {
    Working,
    Broken,
    Untested // a scheme that cannot be tested here; counts as working unless the check is strict
};

// What a link check may do. The bounds keep one stalled server from holding a run up, and the
// per-host limit keeps a provider from taking a run for an attack.
struct LinkCheckOptions {
    static constexpr const char* kDefaultUserAgent = "VLC/3.0.24 LibVLC/3.0.24";

    int jobs = 16;   // links tested at once
    int perHost = 2; // links tested at once on one host
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{10000}; // one transfer, redirects included
    long maxRedirects = 5;
    std::int64_t maxBytes = 64 * 1024; // read of one answer, then the transfer is dropped
    int playlistHops = 3;              // HLS: playlists followed to their first media entry
    bool strict = false;               // untestable schemes count as broken
    // A host that answers 429 or 503 pauses for `backoff`, doubled on each further such
    // answer (or for its Retry-After, up to `maxBackoff`), and its limit drops to 1. A link
    // that keeps getting such answers is broken after `throttleRetries` more tries.
    std::chrono::milliseconds backoff{1000};
    std::chrono::milliseconds maxBackoff{10000};
    int throttleRetries = 3;
    // Links waiting for a busy host are kept ahead of the source; at most this many.
    int maxWaiting = 4096;
    // Players send this agent, and some servers serve players only.
    std::string userAgent = kDefaultUserAgent;
};

// One link to test. The agent and referrer are the channel's own stream options, when it has
// any; empty values take the options' agent and send no referrer.
struct LinkRequest {
    std::int64_t id = 0; // the caller's name for the link, handed back with its verdict
    std::string link;
    std::string userAgent;
    std::string referrer;
};

// The link-validation component: a link in, working or broken out. Many links are tested at once
// on libcurl's multi interface, never more than the per-host limit on one host; results come
// in the order they are decided.
class LinkValidator {
public:
    using Source = std::function<std::optional<LinkRequest>()>; // nullopt: no more links
    using Sink = std::function<void(const LinkRequest&, LinkVerdict)>;
    using StopTest = std::function<bool()>;

    explicit LinkValidator(LinkCheckOptions options = {});
    ~LinkValidator();
    LinkValidator(const LinkValidator&) = delete;
    LinkValidator& operator=(const LinkValidator&) = delete;

    const LinkCheckOptions& options() const { return m_options; }

    // The single-link contract: true when the link works (an untested scheme works unless
    // the options are strict).
    bool validate(const std::string& link);

    // Tests every link `next` gives and hands each verdict to `done`, on the calling thread.
    // `stop` is asked at least every 100 ms; once it says true the links under way are dropped
    // without a verdict and run() returns false. True when every link was decided.
    bool run(const Source& next, const Sink& done, const StopTest& stop = {});

private:
    class Engine;

    LinkCheckOptions m_options;
};

} // namespace listrion::tools
