#include "playlist/EncodedLineWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace listrion::playlist {
namespace {

using test::readFile;
using test::TempFolder;

TEST(EncodedLineWriter, EncodesThroughTheCodepageWithCrLf)
{
    TempFolder folder;
    const auto target = folder.file("out.m3u");
    {
        EncodedLineWriter writer(target, *text::Codepage::find("windows-1250"));
        writer.line("#EXTM3U");
        writer.text("Šport ");
        writer.text("日");
        writer.raw("\xE8\r\n");
        writer.line("");
        writer.line("€ ü");
        writer.commit();
    }
    EXPECT_EQ(readFile(target), "#EXTM3U\r\n\x8Aport ?\xE8\r\n\r\n\x80 \xFC\r\n");

    // The same text through another code page gives its bytes.
    {
        EncodedLineWriter writer(target, *text::Codepage::find("windows-1251"));
        writer.line("Привет Š");
        writer.commit();
    }
    EXPECT_EQ(readFile(target), "\xCF\xF0\xE8\xE2\xE5\xF2 ?\r\n");
}

TEST(EncodedLineWriter, LargeOutputArrivesWhole)
{
    TempFolder folder;
    const auto target = folder.file("big.m3u");
    std::string expected;
    {
        EncodedLineWriter writer(target, text::Codepage::windows1250());
        for (int i = 0; i < 200000; ++i) {
            const std::string line = "line " + std::to_string(i) + " č";
            writer.line(line);
            expected += "line " + std::to_string(i) + " \xE8\r\n";
        }
        writer.commit();
    }
    EXPECT_EQ(readFile(target), expected);
}

TEST(EncodedLineWriter, WithoutCommitTheOldFileStaysAndNoTemporaryRemains)
{
    TempFolder folder;
    const auto target = folder.write("keep.m3u", "old contents\r\n");
    {
        EncodedLineWriter writer(target, text::Codepage::windows1250());
        for (int i = 0; i < 100000; ++i) {
            writer.line("replacement line that fills more than one block");
        }
    }
    EXPECT_EQ(readFile(target), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);

    EXPECT_THROW(EncodedLineWriter(folder.file("missing/x.m3u"), text::Codepage::windows1250()),
                 std::system_error);
}

} // namespace
} // namespace listrion::playlist
