#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

TEST(CliSave, WritesThroughTheConfiguredCodepageAndReplacesOnlyWithYes)
{
    test::TempFolder home;
    home.write("Settings.ini",
               "[Region]\r\n1=Western European\r\n[Codepage]\r\n1=windows-1251\r\n");
    const auto source = home.write("in.m3u", "#EXTM3U\r\n#EXTINF:-1 group-title=\"\xCD\xEE\xE2\","
                                             "\xCF\xE5\xF0\xE2\xFB\xE9\r\nhttp://s/1\r\n");
    ASSERT_EQ(test::runCli(home.path(), {"open", source.string()}).exitCode, 0);

    const auto target = home.file("out.m3u");
    test::CliResult r = test::runCli(home.path(), {"save", target.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("channels: 1  groups: 1  seconds: [0-9.]+\n")))
        << r.out;
    const std::string saved =
        "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"\xCF\xE5\xF0\xE2\xFB\xE9\" tvg-logo=\"\" "
        "group-title=\"\xCD\xEE\xE2\",\xCF\xE5\xF0\xE2\xFB\xE9\r\nhttp://s/1\r\n";
    EXPECT_EQ(test::readFile(target), saved);

    home.write("out.m3u", "keep me");
    r = test::runCli(home.path(), {"save", target.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("out.m3u exists and was not replaced (add --yes"), std::string::npos)
        << r.err;
    EXPECT_EQ(test::readFile(target), "keep me");

    r = test::runCli(home.path(), {"save", target.string(), "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFile(target), saved);
}

TEST(CliSave, ModeFromSettingsOrOverriddenOnce)
{
    test::TempFolder home;
    const auto source =
        home.write("in.m3u", "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" catchup=\"x\",A\r\n"
                             "#EXTVLCOPT:http-referrer=r\r\nhttp://s/1\r\n");
    ASSERT_EQ(test::runCli(home.path(), {"open", source.string()}).exitCode, 0);
    const std::string design = "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" tvg-name=\"A\" tvg-logo=\"\" "
                               "group-title=\"\",A\r\nhttp://s/1\r\n";
    const std::string full = "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"a\" tvg-name=\"A\" tvg-logo=\"\" "
                             "group-title=\"\" catchup=\"x\",A\r\n#EXTVLCOPT:http-referrer=r\r\n"
                             "http://s/1\r\n";
    const auto saved = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"save", home.file("out.m3u").string(), "--yes"});
        const test::CliResult r = test::runCli(home.path(), args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return test::readFile(home.file("out.m3u"));
    };
    EXPECT_EQ(saved({}), full);
    EXPECT_EQ(saved({"--mode", "design"}), design);
    home.write("Settings.ini", "[M3U]\r\n1=Design\r\n");
    EXPECT_EQ(saved({}), design);
    EXPECT_EQ(saved({"--mode", "full"}), full);

    const auto wrong = test::runCli(home.path(), {"save", "x.m3u", "--mode", "all"});
    EXPECT_TRUE(wrong.exitCode != 0 &&
                wrong.err.find("--mode must be full or design") != std::string::npos)
        << wrong.err;
}

} // namespace
} // namespace listrion
