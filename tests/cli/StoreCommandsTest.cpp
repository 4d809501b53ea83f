#include "store/Schema.h"
#include "store/Tables.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion {
namespace {

TEST(CliStore, ListingsFollowTheTabSeparatedContract)
{
    test::TempFolder home;
    {
        store::Database db = store::Schema::open(home.file("data.mdb"));
        db.exec("INSERT INTO Grupa (izberi, grupa, type, count, broj) VALUES "
                "(0, 'VOD films', 'VOD', 1, 1), (1, 'Sport', 'Live', NULL, 2),"
                "(0, 'News', 'Live', 3, 1)");
        db.prepare(
              "INSERT INTO Playlist VALUES (1, 'Sport', ?, ?, '', ?, NULL, 7, 'Live', 0, NULL)")
            .bindAll("Tab\there", "new\nline\r", "http://a/b\\c")
            .run();
        // The kept extras are not part of the listing.
        db.exec("INSERT INTO Playlist VALUES (0, 'news', 'Čas', 'Čas', 'ext', 'http://n/', '', 3,"
                "'Live', '0042', 'catchup=\"default\"')");
        store::setChosenPlaylist(db, "/data/tv.m3u");
    }
    const test::CliResult groups = test::runCli(home.path(), {"groups"});
    ASSERT_EQ(groups.exitCode, 0) << groups.err;
    EXPECT_EQ(groups.out, "0\tNews\tLive\t3\t1\n"
                          "1\tSport\tLive\t\\N\t2\n"
                          "0\tVOD films\tVOD\t1\t1\n");

    const test::CliResult channels = test::runCli(home.path(), {"channels"});
    ASSERT_EQ(channels.exitCode, 0) << channels.err;
    EXPECT_EQ(channels.out,
              "0\tnews\tČas\tČas\text\thttp://n/\t\t3\tLive\t0042\n"
              "1\tSport\tTab\\there\tnew\\nline\\r\t\thttp://a/b\\\\c\t\\N\t7\tLive\t0\n");

    const test::CliResult news = test::runCli(home.path(), {"channels", "--group", "NEWS  "});
    EXPECT_EQ(news.out, "0\tnews\tČas\tČas\text\thttp://n/\t\t3\tLive\t0042\n");

    const test::CliResult info = test::runCli(home.path(), {"info"});
    EXPECT_NE(info.out.find("groups: 3\nchannels: 2\nplaylist: /data/tv.m3u\n"), std::string::npos)
        << info.out;
}

TEST(CliStore, HelpAndErrors)
{
    test::TempFolder home;
    const test::CliResult overview = test::runCli(home.path(), {"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    const test::CliResult help = test::runCli(home.path(), {"channels", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: listrion-cli"), std::string::npos) << help.out;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"frobnicate"}, {"channels", "--grup", "x"}}) {
        test::runOneLine(home.path(), bad, test::kAnyFailure);
    }
    // A program folder that cannot be created is one clear error line, not a crash.
    test::runOneLine(home.write("file", "x") / "sub", {"info"}, 1);
}

} // namespace
} // namespace listrion
