#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace listrion::test {

// An HTTP server on 127.0.0.1 for link checks, with one address for each kind of answer:
//   /ok               200 with a short body
//   /empty            200 without a body
//   /missing          404          /error   500
//   /hop/N            301 to /hop/N-1, and /hop/0 to /ok (a chain of N redirects)
//   /loop             301 to itself
//   /echo?text=T      200 with the body T
//   /agent            200 only for the agent "Kodi/20" with referrer "https://tv.example/"
//   /drip             200, then one byte every 200 ms, endlessly
//   /endless          200, then 16 KB blocks as fast as they are taken, endlessly
//   /slow/NAME?ms=M   200 after M milliseconds (default 150)
//   /throttle/NAME?n=K  429 for the first K requests of that address, then as /slow
//   /retry-after      429 with "Retry-After: 1" once, then 200
//   /live.m3u8, /dead.m3u8, /master.m3u8   HLS playlists whose first entry works, is missing,
//                     or is the live playlist
// It counts requests per address and, per Host header, the most requests it was answering at
// once (the per-host limit as the server sees it).
class LinkTestServer {
public:
    LinkTestServer();
    ~LinkTestServer();
    LinkTestServer(const LinkTestServer&) = delete;
    LinkTestServer& operator=(const LinkTestServer&) = delete;

    // http://HOST:PORT/PATH; "localhost" reaches this server under another host name.
    std::string url(const std::string& path, const std::string& host = "127.0.0.1") const;

    // The server itself, for a test's own routes.
    httplib::Server& server();

    int hits(const std::string& path) const;
    // The most requests of one Host ("127.0.0.1" or "localhost") answered at once.
    int peakInFlight(const std::string& host) const;
    // "AGENT | REFERRER" of the last request of /agent.
    std::string lastAgent() const;
    // The most requests answered at once by /throttle addresses with a 200.
    int peakThrottledSuccesses() const;

private:
    struct State;
    class Routes;

    std::unique_ptr<State> m_state;
    int m_port = 0;
    std::thread m_thread;
};

// A port whose connections are accepted by the kernel and never answered.
class SilentPort {
public:
    SilentPort();
    ~SilentPort();
    std::string url() const;

private:
    int m_fd = -1;
    int m_port = 0;
};

// A port that closes every connection as soon as it is made.
class ClosingPort {
public:
    ClosingPort();
    ~ClosingPort();
    std::string url() const;

private:
    int m_fd = -1;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace listrion::test
