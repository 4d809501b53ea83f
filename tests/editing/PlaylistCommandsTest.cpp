#include "editing/PlaylistCommands.h"

#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using test::PlaylistStore;
using test::TempFolder;

TEST(PlaylistCommands, TypeRepairWorksForAnyGroupNameAndCountsItsChanges)
{
    TempFolder tmp;
    PlaylistStore s(tmp.file("data.mdb"));
    s.group("Kid's 100%_films", 1);
    s.group("kid's 100%_FILMS ", 2, "Radio"); // the same group for the store's comparison
    s.group("Live only", 3);
    s.group("Already", 4, "VOD");
    s.channel("Kid's 100%_films", "a", 1, false, "VOD");
    s.channel("Live only", "b", 2);
    s.channel("Already", "c", 3, false, "VOD");
    EXPECT_EQ(Popravi_Group_Type(s.db), 2);
    EXPECT_EQ(groupNamesInGridOrder(s.db),
              (std::vector<std::string>{"Live only", "Kid's 100%_films", "kid's 100%_FILMS ",
                                        "Already"}));
    EXPECT_EQ(Popravi_Group_Type(s.db), 0);
}

TEST(PlaylistCommands, ReloadRenumbersGroupsInGridOrderThenChannels)
{
    TempFolder tmp;
    PlaylistStore s(tmp.file("data.mdb"));
    s.group("V", 1, "VOD");
    s.group("L", 7);
    s.channel("V", "v1", 1);
    s.channel("L", "l2", 9);
    s.channel("L", "l1", 5);
    EXPECT_TRUE(hasChannels(s.db));
    Reload_Playlist(s.db);
    EXPECT_EQ(s.groups(), (std::vector<std::string>{"L", "V"}));
    EXPECT_EQ(s.names(), (std::vector<std::string>{"l1", "l2", "v1"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (std::vector<std::int64_t>{3, 2, 1}));
    closePlaylist(s.db);
    EXPECT_FALSE(hasChannels(s.db));
}

TEST(PlaylistCommands, RemovesPlaylistFilesOfAnyLetterCaseOnly)
{
    TempFolder tmp;
    for (const char* name : {"a.m3u", "B.M3U", "c.M3u", "d.m3u8", "e.txt", "m3u"}) {
        tmp.write(name, "x");
    }
    std::filesystem::create_directory(tmp.file("folder.m3u"));
    EXPECT_EQ(removePlaylistFiles(tmp.path()), 3);
    for (const char* kept : {"d.m3u8", "e.txt", "m3u", "folder.m3u"}) {
        EXPECT_TRUE(std::filesystem::exists(tmp.file(kept))) << kept;
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.file("B.M3U")));
    EXPECT_EQ(removePlaylistFiles(tmp.file("no such folder")), 0);
}

} // namespace
} // namespace listrion::editing
