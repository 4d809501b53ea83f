#include "playlist/CurlHttpClient.h"
#include "playlist/StoreProbe.h"
#include "store/Tables.h"
#include "support/LinkTestServer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace listrion::test {
namespace {

using playlist::LoadStatus;

const std::string kPlaylist = "#EXTM3U\r\n#EXTINF:-1 group-title=\"News\",One\r\nhttp://s/1\r\n"
                              "#EXTINF:-1 group-title=\"Films\",Two\r\nhttp://s/2.mkv\r\n";

// A server on 127.0.0.1 for the length of a test.
class LocalServer {
public:
    LocalServer()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~LocalServer()
    {
        m_server.stop();
        m_thread.join();
    }
    httplib::Server& server() { return m_server; }
    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

class CancelAfter final : public playlist::ProgressObserver {
public:
    explicit CancelAfter(std::chrono::milliseconds delay)
        : m_deadline(std::chrono::steady_clock::now() + delay)
    {
    }
    void progress(const playlist::Progress&) override {}
    bool cancelRequested() override { return std::chrono::steady_clock::now() >= m_deadline; }

private:
    std::chrono::steady_clock::time_point m_deadline;
};

TEST(Download, PlaylistAddressesAreFetchedFreshAndRead)
{
    LocalServer local;
    std::atomic<int> fresh{0};
    local.server().Get("/list.m3u", [&](const httplib::Request& request, httplib::Response& r) {
        fresh += request.get_header_value("Cache-Control") == "no-cache" ? 1 : 0;
        r.set_content(kPlaylist, "audio/x-mpegurl");
    });
    local.server().Get("/moved", [](const httplib::Request&, httplib::Response& r) {
        r.set_redirect("/list.m3u");
    });
    // Downloaded playlists are never restructured, whatever their first line.
    local.server().Get("/long.m3u", [](const httplib::Request&, httplib::Response& r) {
        r.set_content("#EXTM3U " + std::string(600, 'x') + "\n" + kPlaylist, "text/plain");
    });
    ReaderFolder home;
    playlist::CurlHttpClient http;
    auto result = playlist::Open_URL(local.url("/moved"), http, home.options(), nullptr);
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(result.channels(), 2);
    EXPECT_EQ(result.counts.vod, 1);
    EXPECT_EQ(fresh.load(), 1);
    EXPECT_EQ(readFile(home.options().tempM3u), kPlaylist);
    const auto db = home.database();
    EXPECT_EQ(store::chosenPlaylist(db), local.url("/moved"));
    expectConsistentStore(db);

    result = playlist::Open_URL(local.url("/long.m3u"), http, home.options(), nullptr);
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.channels(), 2);
}

TEST(Download, FailuresAreReportedAndLeaveTempM3uAlone)
{
    LocalServer local;
    local.server().Get("/big", [](const httplib::Request&, httplib::Response& r) {
        r.set_content(std::string(5000, 'x'), "text/plain");
    });
    local.server().Get("/streamed", [](const httplib::Request&, httplib::Response& r) {
        r.set_chunked_content_provider("text/plain", [](std::size_t, httplib::DataSink& sink) {
            const std::string chunk(1000, 'x');
            for (int i = 0; i < 5; ++i) {
                sink.write(chunk.data(), chunk.size());
            }
            sink.done();
            return true;
        });
    });
    SilentPort silent; // accepts connections and never answers
    ReaderFolder home;
    ASSERT_EQ(home.open(kPlaylist).channels(), 2);
    const auto chosen = store::chosenPlaylist(home.database());
    home.folder().write("temp.m3u", "old");
    home.options().download.maxBytes = 1000;
    home.options().download.connectTimeout = std::chrono::milliseconds(500);
    home.options().download.totalTimeout = std::chrono::milliseconds(1500);
    playlist::CurlHttpClient http;
    for (const std::string& address :
         {local.url("/missing.m3u"), local.url("/big"), local.url("/streamed"), silent.url(),
          std::string("http://127.0.0.1:1/closed.m3u")}) {
        const auto started = std::chrono::steady_clock::now();
        const auto result = playlist::Open_URL(address, http, home.options(), nullptr);
        EXPECT_EQ(result.status, LoadStatus::DownloadFailed) << address;
        EXPECT_NE(result.message.find(address), std::string::npos) << result.message;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << address;
        EXPECT_EQ(readFile(home.options().tempM3u), "old") << address;
        // Nothing in the store changes before the playlist has arrived.
        const auto db = home.database();
        EXPECT_EQ(store::channelCount(db), 2);
        EXPECT_EQ(store::chosenPlaylist(db), chosen);
    }
    EXPECT_NE(playlist::Open_URL(local.url("/missing.m3u"), http, home.options(), nullptr)
                  .message.find("404"),
              std::string::npos);
}

TEST(Download, CancelStopsATransferThatIsStillRunning)
{
    LocalServer local;
    std::atomic<bool> finished{false};
    local.server().Get("/slow", [&](const httplib::Request&, httplib::Response& r) {
        r.set_chunked_content_provider("text/plain", [&](std::size_t, httplib::DataSink& sink) {
            for (int i = 0; i < 100 && !finished; ++i) {
                sink.write("#EXTM3U\n", 8);
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            sink.done();
            return true;
        });
    });
    ReaderFolder home;
    playlist::CurlHttpClient http;
    CancelAfter observer(std::chrono::milliseconds(300));
    const auto started = std::chrono::steady_clock::now();
    const auto result = playlist::Open_URL(local.url("/slow"), http, home.options(), &observer);
    finished = true;
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u));
}

// A server that trickles bytes is given up on, and a body that holds no playlist (a login
// page, nothing at all) replaces nothing; the command line's temp.m3u goes when it is read.
TEST(Download, StalledTransfersAndBodiesWithoutEntriesKeepTheOpenPlaylist)
{
    LocalServer local;
    std::atomic<bool> finished{false};
    local.server().Get("/trickle", [&](const httplib::Request&, httplib::Response& r) {
        r.set_chunked_content_provider("text/plain", [&](std::size_t, httplib::DataSink& sink) {
            for (int i = 0; i < 300 && !finished; ++i) {
                sink.write("#", 1);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            sink.done();
            return true;
        });
    });
    local.server().Get("/login", [](const httplib::Request&, httplib::Response& r) {
        r.set_content("<html><form>Sign in</form></html>", "text/html");
    });
    local.server().Get("/empty", [](const httplib::Request&, httplib::Response& r) {
        r.set_content("", "text/plain");
    });
    local.server().Get("/list.m3u", [](const httplib::Request&, httplib::Response& r) {
        r.set_content(kPlaylist, "audio/x-mpegurl");
    });
    ReaderFolder home;
    ASSERT_EQ(home.open(kPlaylist + "#EXTINF:-1,Three\nhttp://s/3\n").channels(), 3);
    home.options().download.stallBytes = 1000;
    home.options().download.stallTime = std::chrono::seconds(2);
    playlist::CurlHttpClient http;
    const auto started = std::chrono::steady_clock::now();
    auto result = playlist::Open_URL(local.url("/trickle"), http, home.options(), nullptr);
    finished = true;
    EXPECT_EQ(result.status, LoadStatus::DownloadFailed);
    EXPECT_NE(result.message.find("less than 1000 bytes in 2 s"), std::string::npos)
        << result.message;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
    home.options().removeTempM3u = true;
    for (const char* path : {"/login", "/empty"}) {
        result = playlist::Open_URL(local.url(path), http, home.options(), nullptr);
        EXPECT_EQ(result.status, LoadStatus::NoEntries) << path;
        EXPECT_EQ(result.message, "no playlist entries found in " + local.url(path));
        EXPECT_EQ(store::channelCount(home.database()), 3) << path;
        EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u)) << path;
    }
    result = playlist::Open_URL(local.url("/list.m3u"), http, home.options(), nullptr);
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(store::channelCount(home.database()), 2);
    EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u));
}

} // namespace
} // namespace listrion::test
