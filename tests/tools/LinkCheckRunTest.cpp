#include "tools/LinkCheckRun.h"
#include "tools/BrokenChannels.h"

#include "store/SqlError.h"

#include "support/LinkTestServer.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion::tools {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Names = std::vector<std::string>;

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

    Names ticked() const
    {
        return store.texts("SELECT name FROM Playlist WHERE izberi <> 0 ORDER BY name");
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
    EXPECT_EQ(ticked(), (Names{"missing", "no link", "refused"}));
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
    EXPECT_EQ(ticked(), (Names{"missing 1", "missing 2", "missing 3"}));
}

// Without the fixture and the test server it starts, which this test does not use.
TEST(BrokenChannels, DeletionRecountsRemovesEmptiedGroupsAndRenumbersInOneTransaction)
{
    test::TempFolder folder;
    test::PlaylistStore store(folder.file("data.mdb"));
    store.fill({2, 3, 1});
    store.group("Empty before", 4);
    store.db.exec("UPDATE Playlist SET izberi = 1 WHERE name IN ('G1.2', 'G2.1', 'G2.3', 'G3.1')");

    // A failure in the middle (here while renumbering) leaves everything as it was.
    store.db.exec("CREATE TEMP TRIGGER refuse BEFORE UPDATE OF broj ON Playlist "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(deleteBrokenChannels(store.db), store::SqlError);
    EXPECT_EQ(store.names().size(), 6u);
    EXPECT_EQ(store.groups(), (Names{"G1", "G2", "G3", "Empty before"}));
    store.db.exec("DROP TRIGGER refuse");

    BrokenDeletion result = deleteBrokenChannels(store.db);
    std::sort(result.groups.begin(), result.groups.end());
    EXPECT_EQ(result.channels, 4);
    EXPECT_EQ(result.groupsRemoved, 1);
    EXPECT_EQ(result.groups, (Names{"G1", "G2", "G3"}));
    EXPECT_EQ(store.groups(), (Names{"G1", "G2", "Empty before"}));
    EXPECT_EQ(store.column("Grupa", "broj"), (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(store.column("Grupa", "count"), (std::vector<std::int64_t>{1, 1, 0}));
    EXPECT_EQ(store.names(), (Names{"G1.1", "G2.2"}));
    EXPECT_EQ(store.column("Playlist", "broj"), (std::vector<std::int64_t>{1, 2}));

    // Nothing ticked: nothing changes.
    const BrokenDeletion none = deleteBrokenChannels(store.db);
    EXPECT_EQ(none.channels, 0);
    EXPECT_EQ(store.names().size(), 2u);
}

} // namespace
} // namespace listrion::tools
