#include "settings/RecentPlaylists.h"
#include "settings/IniDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion::settings {
namespace {

using List = std::vector<std::string>;

TEST(RecentPlaylistsTest, KeepsTheTenNewestOnceEachNewestFirst)
{
    test::TempFolder temp;
    const std::filesystem::path ini = temp.write("Settings.ini", "[Jezik]\n1=English.lng\n");
    const RecentPlaylists recent(ini);
    for (int n = 1; n <= 12; ++n) {
        ASSERT_TRUE(recent.add("/tv/" + std::to_string(n) + ".m3u"));
    }
    List expected;
    for (int n = 12; n >= 3; --n) {
        expected.push_back("/tv/" + std::to_string(n) + ".m3u");
    }
    EXPECT_EQ(recent.entries(), expected);

    // Opening one again moves it to the front instead of listing it twice.
    recent.add("/tv/7.m3u");
    const List again = recent.entries();
    EXPECT_EQ(again.front(), "/tv/7.m3u");
    EXPECT_EQ(again.size(), 10U);
    EXPECT_EQ(std::count(again.begin(), again.end(), "/tv/7.m3u"), 1);

    // A path longer than a profile value comes back whole; other settings stay.
    const std::string deep = "/tv/" + std::string(300, 'x') + ".m3u";
    recent.add(deep);
    EXPECT_EQ(recent.entries().front(), deep);
    EXPECT_EQ(IniDocument::load(ini).value("Jezik", "1"), "English.lng");
    EXPECT_EQ(IniDocument::load(ini).value("Recent", "1").size(), IniDocument::kMaxValueLength);
}

TEST(RecentPlaylistsTest, RemovingAnEntryClosesTheGap)
{
    test::TempFolder temp;
    const RecentPlaylists recent(temp.file("Settings.ini"));
    for (const char* entry : {"/tv/a.m3u", "http://tv.example/b.m3u", "/tv/c.m3u"}) {
        recent.add(entry);
    }
    ASSERT_TRUE(recent.remove("http://tv.example/b.m3u"));
    ASSERT_TRUE(recent.remove("/tv/none.m3u"));
    EXPECT_EQ(recent.entries(), (List{"/tv/c.m3u", "/tv/a.m3u"}));

    EXPECT_TRUE(RecentPlaylists::isAddress("http://tv.example/b.m3u"));
    EXPECT_FALSE(RecentPlaylists::isAddress("/tv/odd://name.m3u"));
    EXPECT_FALSE(RecentPlaylists::isAddress("://x"));
}

} // namespace
} // namespace listrion::settings
