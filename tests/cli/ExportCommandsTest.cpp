#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(test::runOneLine(home.path(), {"export", format, file}),
                  "exported 3 channels to " + file + "\n");
        EXPECT_TRUE(test::readFile(file).starts_with(start)) << format;
    }
    const std::string file = home.write("mine.tv", "mine").string();
    const std::string err = test::runOneLine(home.path(), {"export", "enigma2", file}, 1);
    EXPECT_NE(err.find("--yes"), std::string::npos) << err;
    EXPECT_EQ(test::readFile(file), "mine");
    test::runOneLine(home.path(), {"export", "enigma2", file, "--yes"});
    EXPECT_TRUE(test::readFile(file).starts_with("#NAME IPTV\r\n#SERVICE 4097:0:1:2:"));
}

TEST(CliExport, GuardsCodePageAndMistakes)
{
    test::TempFolder home;
    test::PlaylistStore(home.file("data.mdb"));
    EXPECT_EQ(test::runOneLine(home.path(), {"export", "azbox", home.file("a.txt").string()}),
              "nothing to export: the group list is empty\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("a.txt")));
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.group("Vesti", 1);
        s.channel("Vesti", "Први", 1);
    }
    home.write("Settings.ini", "[Codepage]\r\n1=windows-1251\r\n");
    test::runOneLine(home.path(), {"export", "azbox", home.file("z.txt").string()});
    EXPECT_NE(test::readFile(home.file("z.txt")).find(",\xCF\xF0\xE2\xE8,256,"), std::string::npos);
    // The archive listing has its own line and file.
    EXPECT_EQ(test::runOneLine(home.path(), {"export", "epg", home.file("e.M3U").string()}),
              "exported 0 archive rows to " + home.file("e.txt").string() + "\n");
    test::runOneLine(home.path(), {"export", "m3u", "x"}, 2);
    test::runOneLine(home.path(), {"export", "lg", "x", "--force"}, 2);
    test::runOneLine(home.path(), {"export", "lg", home.file("no/such/folder.txt")}, 1);
}

} // namespace
} // namespace listrion
