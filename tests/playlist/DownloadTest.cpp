#include "playlist/CurlHttpClient.h"
#include "playlist/StoreProbe.h"
#include "store/Tables.h"
#include "support/LinkTestServer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>

namespace listrion::test {
namespace {

using playlist::LoadStatus;

const std::string kPlaylist = "#EXTM3U\r\n#EXTINF:-1 group-title=\"News\",One\r\nhttp://s/1\r\n"
                              "#EXTINF:-1 group-title=\"Films\",Two\r\nhttp://s/2.mkv\r\n";

TEST(Download, PlaylistAddressesAreFetchedFreshAndRead)
{
    LinkTestServer local;
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
    LinkTestServer local;
    SilentPort silent; // accepts connections and never answers
    ReaderFolder home;
    ASSERT_EQ(home.open(kPlaylist).channels(), 2);
    const auto chosen = store::chosenPlaylist(home.database());
    home.folder().write("temp.m3u", "old");
    home.options().download.maxBytes = 10; // less than /ok declares, and /endless never ends
    home.options().download.connectTimeout = std::chrono::milliseconds(500);
    home.options().download.totalTimeout = std::chrono::milliseconds(1500);
    playlist::CurlHttpClient http;
    for (const std::string& address :
         {local.url("/missing"), local.url("/ok"), local.url("/endless"), silent.url(),
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
    EXPECT_NE(playlist::Open_URL(local.url("/missing"), http, home.options(), nullptr)
                  .message.find("404"),
              std::string::npos);
}

// A server that trickles bytes is given up on, a cancelled transfer ends at once and leaves no
// temp.m3u, and a body that holds no playlist replaces nothing; the command line's temp.m3u
// goes when it is read.
TEST(Download, StalledCancelledAndEntrylessDownloadsKeepTheOpenPlaylist)
{
    LinkTestServer local;
    local.server().Get("/list.m3u", [](const httplib::Request&, httplib::Response& r) {
        r.set_content(kPlaylist, "audio/x-mpegurl");
    });
    ReaderFolder home;
    ASSERT_EQ(home.open(kPlaylist + "#EXTINF:-1,Three\nhttp://s/3\n").channels(), 3);
    home.options().download.stallBytes = 1000;
    home.options().download.stallTime = std::chrono::seconds(2);
    playlist::CurlHttpClient http;
    auto started = std::chrono::steady_clock::now();
    FunctionObserver observer([](const playlist::Progress&) {},
                              [&] {
                                  return std::chrono::steady_clock::now() - started >=
                                         std::chrono::milliseconds(300);
                              });
    auto result = playlist::Open_URL(local.url("/drip"), http, home.options(), &observer);
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u));

    started = std::chrono::steady_clock::now();
    result = playlist::Open_URL(local.url("/drip"), http, home.options(), nullptr);
    EXPECT_EQ(result.status, LoadStatus::DownloadFailed);
    EXPECT_NE(result.message.find("less than 1000 bytes in 2 s"), std::string::npos)
        << result.message;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
    EXPECT_EQ(store::channelCount(home.database()), 3);

    home.options().removeTempM3u = true;
    result = playlist::Open_URL(local.url("/ok"), http, home.options(), nullptr);
    EXPECT_EQ(result.status, LoadStatus::NoEntries);
    EXPECT_EQ(result.message, "no playlist entries found in " + local.url("/ok"));
    EXPECT_EQ(store::channelCount(home.database()), 3);
    EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u));
    result = playlist::Open_URL(local.url("/list.m3u"), http, home.options(), nullptr);
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(store::channelCount(home.database()), 2);
    EXPECT_FALSE(std::filesystem::exists(home.options().tempM3u));
}

} // namespace
} // namespace listrion::test
