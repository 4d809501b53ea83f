#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

// save writes the store through the writer and prints its line; an existing file is replaced
// only with --yes; the mode of Settings.ini or of --mode reaches the writer, and a wrong mode is
// a usage error.
TEST(CliSave, WritesThePlaylistAndReplacesOnlyWithYes)
{
    test::TempFolder home;
    const auto source =
        home.write("in.m3u", "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" catchup=\"x\",A\r\n"
                             "#EXTVLCOPT:http-referrer=r\r\nhttp://s/1\r\n");
    ASSERT_EQ(test::runCli(home.path(), {"open", source.string()}).exitCode, 0);
    const std::string target = home.file("out.m3u").string();
    EXPECT_TRUE(std::regex_match(test::runOneLine(home.path(), {"save", target}),
                                 std::regex("channels: 1  groups: 1  seconds: [0-9.]+\n")));
    const std::string full = "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" tvg-name=\"A\" tvg-logo=\"\" "
                             "group-title=\"\" catchup=\"x\",A\r\n#EXTVLCOPT:http-referrer=r\r\n"
                             "http://s/1\r\n";
    EXPECT_EQ(test::readFile(target), full);

    home.write("out.m3u", "keep me");
    EXPECT_NE(test::runOneLine(home.path(), {"save", target}, 1)
                  .find("out.m3u exists and was not replaced (add --yes"),
              std::string::npos);
    EXPECT_EQ(test::readFile(target), "keep me");
    home.write("Settings.ini", "[M3U]\r\n1=Design\r\n");
    test::runOneLine(home.path(), {"save", target, "--yes"});
    EXPECT_EQ(test::readFile(target), "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" tvg-name=\"A\" "
                                      "tvg-logo=\"\" group-title=\"\",A\r\nhttp://s/1\r\n");
    test::runOneLine(home.path(), {"save", target, "--yes", "--mode", "full"});
    EXPECT_EQ(test::readFile(target), full);
    EXPECT_NE(test::runOneLine(home.path(), {"save", target, "--mode", "all"}, 2)
                  .find("--mode must be full or design"),
              std::string::npos);
}

} // namespace
} // namespace listrion
