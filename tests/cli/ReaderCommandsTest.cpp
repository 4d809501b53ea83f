#include "store/Schema.h"
#include "store/Tables.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

std::string playlist(int entries)
{
    std::string text = "#EXTM3U\r\n";
    for (int i = 1; i <= entries; ++i) {
        text += "#EXTINF:-1 group-title=\"" + std::string(i % 2 ? "Sport" : "Films") + "\",Ch " +
                std::to_string(i) + "\r\nhttp://s/" + std::to_string(i) + (i % 2 ? "" : ".mp4") +
                "\r\n";
    }
    return text;
}

// open reads the file into the store and prints its summary line; its options reach the reader;
// a wrong call is a usage error and a source that cannot be read fails without touching the
// open playlist.
TEST(CliOpen, ReadsAFileAndPrintsOneSummaryLine)
{
    test::TempFolder home;
    const auto file = home.write("list.m3u", playlist(5));
    EXPECT_TRUE(std::regex_match(test::runOneLine(home.path(), {"open", file.string()}),
                                 std::regex("channels: 5  groups: 2  Live: 3  VOD: 2  "
                                            "seconds: [0-9]+\\.[0-9]{2}\n")));
    // The header counts as an entry: the second channel's #EXTINF: line reaches the limit.
    EXPECT_TRUE(
        std::regex_match(test::runOneLine(home.path(), {"open", file.string(), "--limit", "3"}),
                         std::regex("channels: 1  groups: 1  Live: 1  VOD: 0  seconds: "
                                    "[0-9.]+  \\(stopped at the limit\\)\n")));
    test::runOneLine(home.path(), {"open", file.string(), "--codepage", "windows-1250"});
    EXPECT_NE(test::runCli(home.path(), {"info"}).out.find("codepage: windows-1250\n"),
              std::string::npos);
    test::runOneLine(home.path(), {"open", file.string(), "--limit", "ten"}, 2);
    const std::string missing = home.file("missing.m3u").string();
    EXPECT_NE(test::runOneLine(home.path(), {"open", missing}, 1).find(missing), std::string::npos);
    store::Database db = store::Schema::open(home.file("data.mdb"));
    EXPECT_EQ(store::channelCount(db), 5);
    EXPECT_EQ(store::chosenPlaylist(db), file.string());
}

} // namespace
} // namespace listrion
