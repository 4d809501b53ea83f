// listrion-cli restructure: the chosen groups, the rule listing, a run and a damaged rule file.
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

TEST(CliRestructure, ChoosesListsRunsAndToldOfADamagedRuleFile)
{
    test::TempFolder home;
    const auto playlist =
        home.write("list.m3u", "#EXTM3U\n#EXTINF:-1 group-title=\"Kids\",k1\nhttp://x/k\n"
                               "#EXTINF:-1 group-title=\"Rock\",UK | bbc one\nhttp://x/b\n"
                               "#EXTINF:-1 group-title=\"PINK\",(RS) pink hd\nhttp://x/p\n");
    ASSERT_EQ(test::runCli(home.path(), {"open", playlist.string()}).exitCode, 0);
    EXPECT_EQ(
        test::runOneLine(home.path(), {"restructure", "choose", "Rock", " pink ", "PINK", ""}),
        "chosen: 2 added, 1 already chosen\n");
    EXPECT_EQ(test::runCli(home.path(), {"restructure", "rules"}).out,
              "Izloci\tRock\nIzloci\tpink\n");

    const std::string ran = test::runOneLine(home.path(), {"restructure", "run"});
    EXPECT_TRUE(std::regex_match(ran, std::regex("restructured: 2 groups, 2 channels  deleted: 1 "
                                                 "channels .*  names tidied: 2  backup: "
                                                 "Playlist_Backup_01\n")))
        << ran;
    EXPECT_EQ(test::runCli(home.path(), {"groups"}).out,
              "0\tPINK\tLive\t1\t1\n0\tRock\tLive\t1\t2\n");
    EXPECT_EQ(test::runOneLine(home.path(), {"restructure", "unchoose", "--all"}), "unchosen: 2\n");

    home.write("izdvoji.mdb", "not a database");
    const std::string told = test::runOneLine(home.path(), {"restructure", "rules"}, 1);
    EXPECT_TRUE(told.starts_with("listrion-cli restructure: izdvoji.mdb is damaged")) << told;
    EXPECT_EQ(test::runOneLine(home.path(), {"restructure", "reset"}),
              "izdvoji.mdb made afresh with empty rule tables\n");
    EXPECT_EQ(test::runCli(home.path(), {"restructure", "rules"}).out, "");
}

} // namespace
} // namespace listrion
