#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace listrion::playlist {

// Bounds of one request.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{30'000};
    std::chrono::milliseconds totalTimeout{30 * 60'000};
    std::int64_t maxBytes = std::int64_t{2} << 30; // a larger body is refused
    // A transfer that moves less than stallBytes in stallTime fails (a server that trickles a
    // byte a second would otherwise hold the download until the total timeout).
    std::int64_t stallBytes = 1024;
    std::chrono::seconds stallTime{30};
};

struct HttpResult {
    bool ok = false;        // the whole body arrived with a success status
    bool cancelled = false; // the caller stopped the transfer
    long status = 0;        // the last response's status (0 when none arrived)
    std::int64_t bytes = 0; // body bytes received
    std::string error;      // why it failed, for people
};

// Fetches an address (http, https or ftp): always a fresh copy, redirects followed, TLS
// certificates verified, within the given limits.
class HttpClient {
public:
    using BodySink = std::function<bool(std::string_view chunk)>; // false stops the transfer
    using CancelTest = std::function<bool()>;                     // true stops the transfer

    virtual ~HttpClient() = default;
    virtual HttpResult get(const std::string& url, const HttpLimits& limits, const BodySink& sink,
                           const CancelTest& cancelled) = 0;
};

} // namespace listrion::playlist
