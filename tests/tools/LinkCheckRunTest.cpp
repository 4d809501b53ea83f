#include "tools/LinkCheckRun.h"

#include "support/LinkTestServer.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion::tools {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Recorder final : public LinkCheckObserver {
public:
    std::function<bool(const LinkCheckCounts&)> stopWhen = [](const LinkCheckCounts&) {
        return false;
    };
    LinkCheckCounts last;
    std::optional<Clock::time_point> stopAskedAt;

    void progress(const LinkCheckCounts& counts) override { last = counts; }
    bool stopRequested() override
    {
        if (!stopWhen(last)) {
            return false;
        }
        stopAskedAt = stopAskedAt.value_or(Clock::now());
        return true;
    }
};

class LinkCheckRunTest : public ::testing::Test {
protected:
    std::int64_t channel(const std::string& grupa, const std::string& name, std::int64_t broj,
                         const std::string& link, bool ticked = false)
    {
        const std::int64_t id = store.channel(grupa, name, broj, ticked);
        store.db.prepare("UPDATE Playlist SET link = ? WHERE rowid = ?").bindAll(link, id).run();
        return id;
    }

    std::vector<std::string> ticked() const
    {
        std::vector<std::string> names;
        store::Statement st = store.db.prepare("SELECT name FROM Playlist WHERE izberi <> 0");
        while (st.step()) {
            names.push_back(st.columnText(0));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempFolder folder;
    test::PlaylistStore store{folder.file("data.mdb")};
    test::LinkTestServer server;
};

TEST_F(LinkCheckRunTest, TicksExactlyTheBrokenChannelsAndCountsEveryKind)
{
    Recorder recorder;
    LinkCheckResult empty = checkPlaylistLinks(store.db.file(), {}, &recorder);
    EXPECT_EQ(empty.counts.total, 0);
    EXPECT_FALSE(empty.stopped);
    EXPECT_TRUE(empty.error.empty()) << empty.error;

    channel("A", "works", 1, server.url("/ok"), true); // ticked before: the run unticks it
    channel("A", "missing", 2, server.url("/missing"));
    channel("B", "rtmp", 3, "rtmp://192.0.2.1/live");
    channel("B", "no link", 4, "");
    const std::int64_t player = channel("B", "for players", 5, server.url("/agent"));
    channel("B", "refused", 6, server.url("/agent"));

    // The channel's playlist entry kept the user agent and referrer its stream needs.
    store.db.prepare("UPDATE Playlist SET extras = ? WHERE rowid = ?")
        .bindAll(
            "\n#EXTVLCOPT:http-user-agent=Kodi/20\n#EXTVLCOPT:http-referrer=https://tv.example/",
            player)
        .run();
    LinkCheckRunOptions options = withKeptStreamHeaders({});
    const LinkCheckResult result = checkPlaylistLinks(store.db.file(), options, &recorder);
    EXPECT_TRUE(result.error.empty()) << result.error;
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.counts.total, 6);
    EXPECT_EQ(result.counts.processed, 6);
    EXPECT_EQ(result.counts.working, 2);
    EXPECT_EQ(result.counts.broken, 3);
    EXPECT_EQ(result.counts.untested, 1);
    EXPECT_EQ(recorder.last.processed, 6);
    EXPECT_EQ(ticked(), (std::vector<std::string>{"missing", "no link", "refused"}));

    options.link.strict = true;
    EXPECT_EQ(checkPlaylistLinks(store.db.file(), options, nullptr).counts.broken, 4);
    EXPECT_EQ(ticked(), (std::vector<std::string>{"missing", "no link", "refused", "rtmp"}));

    const LinkCheckResult failed = checkPlaylistLinks(folder.file("no/such/data.mdb"), {}, nullptr);
    EXPECT_FALSE(failed.error.empty());
}

TEST_F(LinkCheckRunTest, StopKeepsTheTicksOfEveryDecidedLink)
{
    test::SilentPort silent;
    for (int i = 1; i <= 3; ++i) {
        channel("A", "missing " + std::to_string(i), i, server.url("/missing"));
    }
    for (int i = 4; i <= 30; ++i) {
        channel("B", "silent " + std::to_string(i), i, silent.url());
    }
    Recorder recorder;
    recorder.stopWhen = [](const LinkCheckCounts& counts) {
        return counts.processed >= 3;
    };
    const LinkCheckResult result = checkPlaylistLinks(store.db.file(), {}, &recorder);
    ASSERT_TRUE(recorder.stopAskedAt.has_value());
    EXPECT_LT(Clock::now() - *recorder.stopAskedAt, 1s);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.counts.total, 30);
    EXPECT_EQ(result.counts.processed, 3);
    EXPECT_EQ(ticked(), (std::vector<std::string>{"missing 1", "missing 2", "missing 3"}));
}

} // namespace
} // namespace listrion::tools
