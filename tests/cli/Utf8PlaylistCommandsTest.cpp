// UTF-8 playlists through the command line: names of every script read and saved as the
// characters they are, or byte by byte when a code page is asked for.
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion {
namespace {

bool holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

test::CliResult run(const test::TempFolder& home, const std::vector<std::string>& args)
{
    test::CliResult r = test::runCli(home.path(), args);
    EXPECT_EQ(r.exitCode, 0) << args.front() << ": " << r.err;
    return r;
}

TEST(CliUtf8, MixedScriptNamesThroughLoadSaveAndMerge)
{
    test::TempFolder home;
    home.write("Settings.ini", "[Region]\r\n1=Western European\r\n");
    const auto file =
        home.write("mixed.m3u", "#EXTM3U\r\n"
                                "#EXTINF:-1 group-title=\"Ελληνικά\",ερτ news Παιδικά\r\n"
                                "http://gr/1\r\n"
                                "#EXTINF:-1 group-title=\"Русские\",первый канал hd\r\n"
                                "http://ru/1\r\n"
                                "#EXTINF:-1 group-title=\"عربي\",الجزيرة\r\n"
                                "http://ar/1\r\n"
                                "#EXTINF:-1 group-title=\"中文\",BRTV 北京卫视 hd\r\n"
                                "http://cn/1\r\n");
    run(home, {"open", file.string()});
    EXPECT_TRUE(holds(run(home, {"info"}).out, "codepage: UTF-8\n"));
    const std::string channels = run(home, {"channels"}).out;
    for (const char* name :
         {"ερτ news Παιδικά", "первый канал hd", "الجزيرة", "BRTV 北京卫视 hd"}) {
        EXPECT_TRUE(holds(channels, name)) << name;
    }

    // Saved as it was read: the names are the same UTF-8 bytes.
    run(home, {"save", home.file("saved.m3u").string()});
    const std::string saved = test::readFile(home.file("saved.m3u"));
    EXPECT_TRUE(holds(saved, "group-title=\"Русские\",первый канал hd\r\n")) << saved;
    EXPECT_TRUE(holds(saved, "group-title=\"中文\",BRTV 北京卫视 hd\r\n")) << saved;

    // Read byte by byte, the same file is the single-byte text it always was: the clean-up
    // drops the byte B9, here the second byte of ι.
    run(home, {"open", file.string(), "--codepage", "windows-1251"});
    EXPECT_TRUE(holds(run(home, {"info"}).out, "codepage: windows-1251\n"));
    run(home, {"export", "nstream", home.file("nStream.xml").string(), "--yes"});
    EXPECT_TRUE(holds(test::readFile(home.file("nStream.xml")), "\xCE\xA0\xCE\xB1\xCE\xCE\xB4"));

    // A UTF-8 second playlist merged into it is read by its own bytes; the open playlist keeps
    // its code page.
    const auto second = home.write("second.m3u", "#EXTM3U\r\n"
                                                 "#EXTINF:-1 group-title=\"Новости\",Россия 24\r\n"
                                                 "http://ru/24\r\n");
    run(home, {"merge", second.string()});
    EXPECT_TRUE(holds(run(home, {"channels"}).out, "\tНовости\tРоссия 24\t"));
    EXPECT_TRUE(holds(run(home, {"info"}).out, "codepage: windows-1251\n"));
}

} // namespace
} // namespace listrion
