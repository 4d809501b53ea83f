// UTF-8 playlists through the command line: names of every script read, edited, saved and
// exported as the characters they are.
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace listrion {
namespace {

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

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

TEST(CliUtf8, MixedScriptNamesThroughLoadEditSaveAndExport)
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

    run(home, {"rename-group", "РУССКИЕ", "Россия"});
    run(home, {"channel-names", "capitalize", "--group", "All"});
    run(home, {"channel-names", "replace", "卫视", "卫视台", "--group", "All", "--name"});
    run(home, {"group-names", "upper"});

    run(home, {"save", home.file("saved.m3u").string()});
    const std::string saved = contents(home.file("saved.m3u"));
    // A blank fourth character makes the first three a country code.
    EXPECT_TRUE(holds(saved, "group-title=\"ΕΛΛΗΝΙΚΆ\",ΕΡΤ News Παιδικά\r\n")) << saved;
    EXPECT_TRUE(holds(saved, "group-title=\"РОССИЯ\",Первый Канал HD\r\n")) << saved;
    EXPECT_TRUE(holds(saved, "group-title=\"عربي\",الجزيرة\r\n")) << saved;
    EXPECT_TRUE(holds(saved, "tvg-name=\"Brtv 北京卫视 HD\" tvg-logo=\"\" group-title=\"中文\","
                             "Brtv 北京卫视台 HD\r\n"))
        << saved;

    // The XML export is the UTF-8 it declares; the other lists are UTF-8 too.
    run(home, {"export", "nstream", home.file("nStream.xml").string()});
    const std::string xml = contents(home.file("nStream.xml"));
    EXPECT_TRUE(holds(xml, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(holds(xml, "group-title=\"РОССИЯ\"Первый Канал HD]]>")) << xml;
    run(home, {"export", "enigma2", home.file("bouquet.tv").string()});
    EXPECT_TRUE(holds(contents(home.file("bouquet.tv")), "#DESCRIPTION الجزيرة\r\n"));

    // Read byte by byte, the same file is the single-byte text it always was: the clean-up
    // drops the byte B9, here the second byte of ι.
    run(home, {"open", file.string(), "--codepage", "windows-1251"});
    EXPECT_TRUE(holds(run(home, {"info"}).out, "codepage: windows-1251\n"));
    run(home, {"export", "nstream", home.file("nStream.xml").string(), "--yes"});
    EXPECT_TRUE(holds(contents(home.file("nStream.xml")), "\xCE\xA0\xCE\xB1\xCE\xCE\xB4"));

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
