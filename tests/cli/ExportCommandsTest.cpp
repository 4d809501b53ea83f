#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion {
namespace {

TEST(CliExport, EveryFormatAndNoOverwriteWithoutYes)
{
    test::TempFolder home;
    test::PlaylistStore(home.file("data.mdb")).fill({2, 1});
    const std::vector<std::pair<std::string, std::string>> starts = {
        {"enigma2", "#NAME IPTV\r\n#SERVICE 4097:0:1:1:"},
        {"nstream", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<items>\r\n<channel>\r\n"},
        {"feed", " \r\n[TITLE]-1 tvg-id=\"ext\""},
        {"opticum", " \r\n#EXTINF:0,\r\nI: http://tv/G1.1#EXTINF:-1 "},
        {"lg", " \r\next,#EXTINF:-1 "},
        {"azbox", "1,#EXTINF:-1 "},
        {"openbox-x5", "#EXTINF:-1tvg-id=\"ext\"-tvg-name=\"G1.1\""}};
    for (const auto& [format, start] : starts) {
        const std::string file = home.file(format + ".out").string();
        const test::CliResult r = test::runCli(home.path(), {"export", format, file});
        ASSERT_EQ(r.exitCode, 0) << format << ": " << r.err;
        EXPECT_EQ(r.out, "exported 3 channels to " + file + "\n");
        EXPECT_TRUE(test::readFile(file).starts_with(start)) << format;
    }
    const std::string file = home.write("mine.tv", "mine").string();
    test::CliResult r = test::runCli(home.path(), {"export", "enigma2", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(test::lineCount(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find("--yes"), std::string::npos) << r.err;
    EXPECT_EQ(test::readFile(file), "mine");
    r = test::runCli(home.path(), {"export", "enigma2", file, "--yes"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(test::readFile(file).starts_with("#NAME IPTV\r\n#SERVICE 4097:0:1:2:"));
}

TEST(CliExport, GuardsEpgListingCodePageAndMistakes)
{
    test::TempFolder home;
    test::PlaylistStore(home.file("data.mdb"));
    test::CliResult r = test::runCli(home.path(), {"export", "azbox", home.file("a.txt")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "nothing to export: the group list is empty\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("a.txt")));
    r = test::runCli(home.path(), {"export", "lg", home.file("a.txt")});
    EXPECT_EQ(r.out, "exported 0 channels to " + home.file("a.txt").string() + "\n");
    EXPECT_EQ(test::readFile(home.file("a.txt")), " \r\n");
    r = test::runCli(home.path(), {"export", "epg", home.file("e.m3u")});
    EXPECT_EQ(r.out, "nothing to export: the channel list is empty\n");

    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.group("Vesti", 1);
        s.channel("Vesti", "Први", 1);
    }
    home.write("Settings.ini", "[Codepage]\r\n1=windows-1251\r\n");
    r = test::runCli(home.path(), {"export", "azbox", home.file("z.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(test::readFile(home.file("z.txt")).find(",\xCF\xF0\xE2\xE8,256,"), std::string::npos);
    r = test::runCli(home.path(), {"export", "epg", home.file("e.M3U")});
    EXPECT_EQ(r.out, "exported 0 archive rows to " + home.file("e.txt").string() + "\n") << r.err;
    EXPECT_TRUE(std::filesystem::exists(home.file("logo.mdb")));

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"export", "m3u", "x"},
                                                {"export", "lg"},
                                                {"export"},
                                                {"export", "lg", "x", "y"},
                                                {"export", "lg", "x", "--force"},
                                                {"export", "lg", ""}}) {
        r = test::runCli(home.path(), bad);
        EXPECT_EQ(r.exitCode, 2) << bad.size();
        EXPECT_EQ(test::lineCount(r.err), 1u) << r.err;
    }
    r = test::runCli(home.path(), {"export", "lg", home.file("no/such/folder.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(test::lineCount(r.err), 1u) << r.err;
}

} // namespace
} // namespace listrion
