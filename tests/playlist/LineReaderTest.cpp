// Line ends that fall on the boundary of the reader's 1 MiB blocks.
#include "playlist/LineReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace listrion::playlist {
namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

std::vector<std::string> linesOf(const test::TempFolder& home, const std::string& bytes)
{
    LineReader reader(home.write("lines.m3u", bytes));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(LineReaderBlocks, LineEndsSplitAcrossTwoReadsCountOnce)
{
    test::TempFolder home;
    const std::string first(kBlock - 1, 'a'); // its CR is the first block's last byte
    // CR LF split: the LF that opens the second block ends nothing more.
    EXPECT_EQ(linesOf(home, first + "\r\n#EXTINF:-1,B\r\nhttp://b\r\n"),
              (std::vector<std::string>{first, "#EXTINF:-1,B", "http://b"}));
    // A CR alone at the boundary ends its line; the next block's first line is whole.
    EXPECT_EQ(linesOf(home, first + "\rnext\rlast"),
              (std::vector<std::string>{first, "next", "last"}));
    // A blank line right after a split CR LF stays a line.
    EXPECT_EQ(linesOf(home, first + "\r\n\r\nx"), (std::vector<std::string>{first, "", "x"}));
    // The LF alone as the next block's first byte, then the end of the file.
    EXPECT_EQ(linesOf(home, std::string(kBlock, 'b') + "\n"),
              (std::vector<std::string>{std::string(kBlock, 'b')}));
    EXPECT_EQ(linesOf(home, first + "\r"), (std::vector<std::string>{first}));
}

} // namespace
} // namespace listrion::playlist
