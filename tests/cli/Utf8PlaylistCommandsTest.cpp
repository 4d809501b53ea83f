// UTF-8 playlists through the command line: names of every script read, listed and saved as
// the characters they are.
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

TEST(CliUtf8, MixedScriptNamesThroughLoadListingAndSave)
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
}

} // namespace
} // namespace listrion
