#include "support/CliRunner.h"
#include "support/LinkTestServer.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace listrion {
namespace {

using namespace std::chrono_literals;
using ::testing::MatchesRegex;
using Names = std::vector<std::string>;

class CliLinkCheck : public ::testing::Test {
protected:
    void channel(test::PlaylistStore& s, const std::string& grupa, const std::string& name,
                 std::int64_t broj, const std::string& link)
    {
        const std::int64_t id = s.channel(grupa, name, broj);
        s.db.prepare("UPDATE Playlist SET link = ? WHERE rowid = ?").bindAll(link, id).run();
    }

    test::TempFolder home;
    test::LinkTestServer server;
};

TEST_F(CliLinkCheck, TicksTheBrokenChannelsAndDeletesThem)
{
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.group("A", 1);
        s.group("B", 2);
        channel(s, "A", "works", 1, server.url("/ok"));
        channel(s, "A", "gone", 2, server.url("/missing"));
        channel(s, "B", "radio", 3, "rtsp://192.0.2.1/radio");
        channel(s, "B", "also gone", 4, server.url("/error"));
    }
    test::CliResult r = test::runCli(home.path(), {"check-links", "--jobs", "4"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, MatchesRegex("checked: 4  working: 1  broken: 2  untested: 1  "
                                    "seconds: [0-9]+\\.[0-9][0-9]\n"));
    EXPECT_EQ(r.err, ""); // no progress line when not on a terminal
    r = test::runCli(home.path(), {"check-links", "--strict", "--per-host", "1", "--timeout", "3"});
    EXPECT_THAT(r.out, MatchesRegex("checked: 4  working: 1  broken: 3  untested: 0  .*"));

    r = test::runCli(home.path(), {"delete-broken"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "deleted: 3 channels  emptied groups removed: 1\n");
    test::PlaylistStore s(home.file("data.mdb"));
    EXPECT_EQ(s.names(), Names{"works"});
    EXPECT_EQ(s.groups(), Names{"A"});

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"check-links", "--jobs", "0"},
          std::vector<std::string>{"check-links", "--timeout", "soon"},
          std::vector<std::string>{"delete-broken", "now"}}) {
        test::runOneLine(home.path(), wrong, test::kAnyFailure);
    }
}

TEST_F(CliLinkCheck, CtrlCStopsTheRunAndKeepsWhatWasDecided)
{
    test::SilentPort silent;
    {
        test::PlaylistStore s(home.file("data.mdb"));
        channel(s, "A", "gone", 1, server.url("/missing"));
        for (int i = 2; i <= 20; ++i) {
            channel(s, "B", "silent " + std::to_string(i), i, silent.url());
        }
    }
    std::chrono::milliseconds afterInterrupt{};
    const test::CliResult r =
        test::runCliInterrupted(home.path(), {"check-links"}, 1500ms, &afterInterrupt);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_LT(afterInterrupt, 1s);
    EXPECT_THAT(r.out, MatchesRegex("checked: 1  working: 0  broken: 1  untested: 0  "
                                    "seconds: [0-9.]+  \\(stopped\\)\n"));
    test::PlaylistStore s(home.file("data.mdb"));
    EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi <> 0", -1), 1);
}

} // namespace
} // namespace listrion
