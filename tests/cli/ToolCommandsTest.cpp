// listrion-cli search, stage and merge.
#include "store/Schema.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

TEST(CliSearch, HitsInTheWindowsOrderAsTabSeparatedLines)
{
    test::TempFolder home;
    {
        store::Database db = store::Schema::open(home.file("data.mdb"));
        db.exec("INSERT INTO Grupa (grupa, type, count, broj) VALUES ('News', 'Live', 2, 1), "
                "('Films', 'VOD', 1, 2)");
        db.prepare("INSERT INTO Playlist (izberi, grupa, name, tvgname, broj, link) VALUES "
                   "(0, 'News', ?, 'a', 1, 'http://a'), (1, 'News', 'BBC 50% Hits', NULL, 2, "
                   "'http://b'), (0, 'Films', '50% Off', 'c', 3, 'http://c\\d')")
            .bindAll("Tab\t50%")
            .run();
    }
    const test::CliResult r = test::runCli(home.path(), {"search", "50%"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "0\tFilms\t50% Off\tc\t3\thttp://c\\\\d\n"
                     "1\tNews\tBBC 50% Hits\t\\N\t2\thttp://b\n"
                     "0\tNews\tTab\\t50%\ta\t1\thttp://a\n");
    const test::CliResult none = test::runCli(home.path(), {"search"});
    EXPECT_NE(none.exitCode, 0);
    EXPECT_TRUE(none.out.empty());
}

TEST(CliMerge, StagesListsAndMerges)
{
    test::TempFolder home;
    const auto first = home.write("first.m3u", "#EXTM3U\n#EXTINF:-1 group-title=\"Sport\",A\n"
                                               "http://x/a\n");
    const auto second =
        home.write("second.m3u", "#EXTM3U\n#EXTINF:-1 group-title=\"SPORT\",B\nhttp://x/b.mp4\n"
                                 "#EXTINF:-1 group-title=\"Radio\" radio=\"1\",C\nhttp://x/c\n");
    ASSERT_EQ(test::runCli(home.path(), {"open", first.string()}).exitCode, 0);
    EXPECT_EQ(test::runOneLine(home.path(), {"merge"}, 1),
              "listrion-cli merge: no second playlist is staged\n");

    const test::CliResult staged = test::runCli(home.path(), {"stage", second.string()});
    ASSERT_EQ(staged.exitCode, 0) << staged.err;
    EXPECT_TRUE(std::regex_match(
        staged.out, std::regex("staged: 2 channels  groups: 2  seconds: [0-9]+\\.[0-9]{2}\n")))
        << staged.out;
    EXPECT_EQ(test::runCli(home.path(), {"groups", "--second"}).out,
              "0\tRadio\tRadio\t1\t2\n0\tSPORT\tVOD\t1\t1\n");

    const test::CliResult merged = test::runCli(home.path(), {"merge", second.string()});
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_TRUE(
        std::regex_match(merged.out, std::regex("merged: 2 channels  groups: 2  renamed: 1  "
                                                "seconds: [0-9]+\\.[0-9]{2}\n")))
        << merged.out;
    EXPECT_EQ(test::runCli(home.path(), {"groups"}).out,
              "0\tSport\tLive\t1\t1\n0\tRadio\tRadio\t1\t3\n0\tSPORT2\tVOD\t1\t2\n");

    EXPECT_EQ(test::runOneLine(home.path(), {"merge", "/no/such.m3u"}, 1),
              "listrion-cli merge: /no/such.m3u: no such file\n");
}

} // namespace
} // namespace listrion
