#include "support/LinkTestServer.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace listrion::test {
namespace {

using namespace std::chrono_literals;

// Listens on 127.0.0.1 at a free port; returns the socket and sets `port`.
int listenLoopback(int& port, int backlog)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, backlog);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

std::string hostName(const httplib::Request& request)
{
    const std::string host = request.get_header_value("Host");
    return host.substr(0, host.find(':'));
}

} // namespace

struct LinkTestServer::State {
    httplib::Server server;
    mutable std::mutex mutex;
    std::map<std::string, int> hits;
    std::map<std::string, int> inFlight;
    std::map<std::string, int> peak;
    std::string agent;
    int throttledSuccesses = 0;
    int peakThrottledSuccesses = 0;

    int hitsOf(const std::string& path)
    {
        const std::lock_guard lock(mutex);
        return hits[path];
    }

    // Counts one request for as long as it lives.
    class Visit {
    public:
        Visit(State& state, const httplib::Request& request)
            : m_state(state), m_host(hostName(request))
        {
            const std::lock_guard lock(m_state.mutex);
            ++m_state.hits[request.path];
            const int now = ++m_state.inFlight[m_host];
            m_state.peak[m_host] = std::max(m_state.peak[m_host], now);
        }
        ~Visit()
        {
            const std::lock_guard lock(m_state.mutex);
            --m_state.inFlight[m_host];
        }

    private:
        State& m_state;
        std::string m_host;
    };
};

class LinkTestServer::Routes {
public:
    static void add(State& s)
    {
        httplib::Server& server = s.server;
        server.Get("/ok", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.set_content("stream bytes", "video/mp2t");
        });
        server.Get("/empty", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.status = 200;
        });
        for (auto [path, status] : {std::pair{"/missing", 404}, std::pair{"/error", 500}}) {
            server.Get(path, [&s, status](const httplib::Request& q, httplib::Response& r) {
                State::Visit visit(s, q);
                r.status = status;
                r.set_content("no", "text/plain");
            });
        }
        server.Get(R"(/hop/(\d+))", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            const int left = std::stoi(q.matches[1]);
            r.set_redirect(left == 0 ? "/ok" : "/hop/" + std::to_string(left - 1), 301);
        });
        server.Get("/agent", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            {
                const std::lock_guard lock(s.mutex);
                s.agent = q.get_header_value("User-Agent") + " | " + q.get_header_value("Referer");
            }
            const bool player = q.get_header_value("User-Agent") == "Kodi/20" &&
                                q.get_header_value("Referer") == "https://tv.example/";
            r.status = player ? 200 : 403;
            r.set_content(player ? "stream" : "players only", "text/plain");
        });
        server.Get("/echo", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.set_content(q.get_param_value("text"), "text/plain");
        });
        server.Get("/loop", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.set_redirect("/loop", 301);
        });
        server.Get("/drip", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.set_chunked_content_provider("video/mp2t", [](std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(200ms);
                return sink.write("x", 1);
            });
        });
        server.Get("/endless", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            r.set_chunked_content_provider("video/mp2t", [](std::size_t, httplib::DataSink& sink) {
                static const std::string block(16 * 1024, 'y');
                return sink.write(block.data(), block.size());
            });
        });
        server.Get(R"(/slow/.*)", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            const int ms = q.has_param("ms") ? std::stoi(q.get_param_value("ms")) : 150;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            r.set_content("slow stream", "video/mp2t");
        });
        server.Get(R"(/throttle/.*)", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            const int n = q.has_param("n") ? std::stoi(q.get_param_value("n")) : 1;
            if (s.hitsOf(q.path) <= n) {
                r.status = 429;
                return;
            }
            {
                const std::lock_guard lock(s.mutex);
                s.peakThrottledSuccesses =
                    std::max(s.peakThrottledSuccesses, ++s.throttledSuccesses);
            }
            std::this_thread::sleep_for(60ms);
            {
                const std::lock_guard lock(s.mutex);
                --s.throttledSuccesses;
            }
            r.set_content("stream", "video/mp2t");
        });
        server.Get("/retry-after", [&s](const httplib::Request& q, httplib::Response& r) {
            State::Visit visit(s, q);
            if (s.hitsOf(q.path) == 1) {
                r.status = 429;
                r.set_header("Retry-After", "1");
                return;
            }
            r.set_content("stream", "video/mp2t");
        });
        const auto playlist = [&s](std::string body) {
            return [&s, body](const httplib::Request& q, httplib::Response& r) {
                State::Visit visit(s, q);
                r.set_content(body, "application/vnd.apple.mpegurl");
            };
        };
        server.Get("/live.m3u8", playlist("#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2,\n"
                                          "/ok\n#EXTINF:2,\n/missing\n"));
        server.Get("/dead.m3u8", playlist("#EXTM3U\r\n#EXTINF:2,\r\nmissing\r\n"
                                          "#EXTINF:2,\r\nok\r\n"));
        server.Get("/master.m3u8",
                   playlist("\xEF\xBB\xBF#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=800000\n"
                            "live.m3u8?variant=1\n"));
    }
};

LinkTestServer::LinkTestServer() : m_state(std::make_unique<State>())
{
    // Enough threads for every test's links at once; the stock pool has eight.
    m_state->server.new_task_queue = [] {
        return new httplib::ThreadPool(48);
    };
    Routes::add(*m_state);
    m_port = m_state->server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_state->server.listen_after_bind(); });
    // A stop() before the loop runs would be lost and leave the destructor waiting for ever.
    while (!m_state->server.is_running()) {
        std::this_thread::sleep_for(1ms);
    }
}

LinkTestServer::~LinkTestServer()
{
    m_state->server.stop();
    m_thread.join();
}

std::string LinkTestServer::url(const std::string& path, const std::string& host) const
{
    return "http://" + host + ":" + std::to_string(m_port) + path;
}

httplib::Server& LinkTestServer::server()
{
    return m_state->server;
}

int LinkTestServer::hits(const std::string& path) const
{
    return m_state->hitsOf(path);
}

int LinkTestServer::peakInFlight(const std::string& host) const
{
    const std::lock_guard lock(m_state->mutex);
    const auto it = m_state->peak.find(host);
    return it == m_state->peak.end() ? 0 : it->second;
}

std::string LinkTestServer::lastAgent() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->agent;
}

int LinkTestServer::peakThrottledSuccesses() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->peakThrottledSuccesses;
}

SilentPort::SilentPort()
{
    m_fd = listenLoopback(m_port, 16);
}

SilentPort::~SilentPort()
{
    ::close(m_fd);
}

std::string SilentPort::url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/stream";
}

ClosingPort::ClosingPort()
{
    m_fd = listenLoopback(m_port, 16);
    m_thread = std::thread([fd = m_fd] {
        for (;;) {
            const int client = ::accept(fd, nullptr, nullptr);
            if (client < 0) {
                return; // the listening socket was shut down
            }
            ::close(client);
        }
    });
}

ClosingPort::~ClosingPort()
{
    ::shutdown(m_fd, SHUT_RDWR);
    m_thread.join();
    ::close(m_fd);
}

std::string ClosingPort::url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/stream";
}

} // namespace listrion::test
