#include "store/Schema.h"
#include "store/Tables.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace listrion {
namespace {

std::string playlist(int entries)
{
    std::string text = "#EXTM3U\r\n";
    for (int i = 1; i <= entries; ++i) {
        text += "#EXTINF:-1 group-title=\"" + std::string(i % 2 ? "\xC5\xA0port" : "Films") +
                "\",Ch " + std::to_string(i) + "\r\nhttp://s/" + std::to_string(i) +
                (i % 2 ? "" : ".mp4") + "\r\n";
    }
    return text;
}

TEST(CliOpen, ReadsAFileAndPrintsOneSummaryLine)
{
    test::TempFolder home;
    const auto file = home.write("list.m3u", playlist(5));
    const test::CliResult r = test::runCli(home.path(), {"open", file.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("channels: 5  groups: 2  Live: 3  VOD: 2  "
                                                   "seconds: [0-9]+\\.[0-9]{2}\n")))
        << r.out;
    EXPECT_TRUE(r.err.empty());
    const test::CliResult groups = test::runCli(home.path(), {"groups"});
    // The default region decodes and folds group names.
    EXPECT_EQ(groups.out, "0\tSport\tLive\t3\t1\n0\tFilms\tVOD\t2\t2\n"); // counted at load
    const test::CliResult info = test::runCli(home.path(), {"info"});
    EXPECT_NE(info.out.find("playlist: " + file.string()), std::string::npos) << info.out;
}

TEST(CliOpen, LimitAndRegionFromSettings)
{
    test::TempFolder home;
    home.write("Settings.ini", "[Region]\r\n1=Western European\r\n");
    const auto file = home.write("list.m3u", playlist(30));
    test::CliResult r = test::runCli(home.path(), {"open", file.string(), "--limit", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The header counts as an entry: the 9th channel's #EXTINF: line reaches the limit.
    EXPECT_EQ(r.out.substr(0, r.out.find("  seconds")), "channels: 8  groups: 2  Live: 4  VOD: 4");
    EXPECT_NE(r.out.find("(stopped at the limit)"), std::string::npos);
    {
        store::Database db = store::Schema::open(home.file("data.mdb"));
        EXPECT_EQ(store::groupCount(db), 2);
        // The file is UTF-8, read as text under the default "auto".
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa WHERE grupa = ?", 0, "Šport"), 1);
    }
    // --codepage reads it byte by byte for this load only.
    r = test::runCli(home.path(), {"open", file.string(), "--codepage", "windows-1250"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    {
        store::Database db = store::Schema::open(home.file("data.mdb"));
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa WHERE grupa = ?", 0, "Ĺ\u00A0port"), 1);
    }
    EXPECT_NE(test::runCli(home.path(), {"info"}).out.find("codepage: windows-1250\n"),
              std::string::npos);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"open"},
                                                {"open", file.string(), "--limit", "0"},
                                                {"open", file.string(), "--limit", "ten"},
                                                {"open", file.string(), "--codepage", "koi8-r"},
                                                {"open", file.string(), "other.m3u"}}) {
        test::runOneLine(home.path(), bad, 2);
    }
}

TEST(CliOpen, UnreadableSourcesFailWithOneLine)
{
    test::TempFolder home;
    ASSERT_EQ(
        test::runCli(home.path(), {"open", home.write("list.m3u", playlist(3)).string()}).exitCode,
        0);
    for (const std::string& source : {home.file("missing.m3u").string(), home.path().string(),
                                      std::string("http://127.0.0.1:1/list.m3u")}) {
        const std::string err = test::runOneLine(home.path(), {"open", source}, 1);
        EXPECT_NE(err.find(source), std::string::npos) << err;
    }
    // None of them touched the open playlist.
    store::Database db = store::Schema::open(home.file("data.mdb"));
    EXPECT_EQ(store::channelCount(db), 3);
    EXPECT_EQ(store::chosenPlaylist(db), home.file("list.m3u").string());
}

} // namespace
} // namespace listrion
