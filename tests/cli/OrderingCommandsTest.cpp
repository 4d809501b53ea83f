#include "settings/Settings.h"
#include "store/UndoSnapshot.h"
#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion {
namespace {

using Names = std::vector<std::string>;

class CliOrdering : public ::testing::Test {
protected:
    test::TempFolder home;

    void SetUp() override
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({2, 4, 1});
        store::takeUndoSnapshot(s.db);
    }
    std::string ok(const std::vector<std::string>& args)
    {
        return test::runOneLine(home.path(), args);
    }
    void fails(const std::vector<std::string>& args)
    {
        test::runOneLine(home.path(), args, test::kAnyFailure);
    }
    Names names(const std::string& group = "")
    {
        return test::PlaylistStore(home.file("data.mdb")).names(group);
    }
};

TEST_F(CliOrdering, MovesTicksSortingAndRenumbering)
{
    EXPECT_EQ(ok({"move-channel", "down", "3"}),
              "moved channel 'G2.1' of 'G2' from position 3 to 4\n");
    EXPECT_EQ(names("G2"), (Names{"G2.2", "G2.1", "G2.3", "G2.4"}));
    EXPECT_EQ(ok({"move-group", "up", "3"}), "moved group 'G3' from position 3 to 2\n");
    fails({"move-channel", "up", "99"});

    EXPECT_EQ(
        ok({"tick", "channels", "--group", "g2", "--broj", "5", "--broj", "6", "--broj", "1"}),
        "ticked 2 channels\n");
    EXPECT_NE(ok({"move-ticked", "up", "--group", "G2"}).find("row 1 remembered in PozicijaUP"),
              std::string::npos);
    EXPECT_EQ(names("G2"), (Names{"G2.2", "G2.3", "G2.4", "G2.1"}));
    EXPECT_EQ(settings::Settings(home.file("Settings.ini")).readNumber(settings::Keys::PozicijaUP),
              1);
    fails({"move-ticked", "top"});

    EXPECT_EQ(ok({"tick", "groups", "--group", "g3"}), "ticked 1 groups\n");
    ok({"move-ticked-groups", "bottom"});
    EXPECT_EQ(test::PlaylistStore(home.file("data.mdb")).groups(), (Names{"G1", "G2", "G3"}));
    EXPECT_EQ(ok({"sort-channels-by-name", "All"}),
              "sorted the channels of all groups by name: 4 positions changed\n");
    EXPECT_EQ(ok({"renumber"}), "renumbered: 0 group positions and 0 channel positions changed\n");
}

TEST_F(CliOrdering, UndoBackupsAndCompaction)
{
    const Names loaded = names();
    EXPECT_EQ(ok({"backup"}), "made backup Playlist_Backup_01 and Grupa_Backup_01\n");
    ok({"move-channel", "up", "6"});
    const Names moved = names();
    ok({"backup"});
    const test::CliResult listed = test::runCli(home.path(), {"backups"});
    EXPECT_EQ(listed.out, "Playlist_Backup_01\nPlaylist_Backup_02\n");
    EXPECT_EQ(ok({"undo", "--editor"}), "restored the playlist as loaded: 3 groups, 7 channels\n");
    EXPECT_EQ(names(), loaded);
    EXPECT_EQ(ok({"restore", "2"}), "restored backup 02: 3 groups, 7 channels\n");
    EXPECT_EQ(names(), moved);
    fails({"restore", "7"});
    EXPECT_EQ(ok({"recount"}), "recounted: 3 group counts changed\n");

    EXPECT_NE(ok({"compact"}).find("compacted data.mdb"), std::string::npos);
    {
        test::PlaylistStore open(home.file("data.mdb"));
        open.db.exec("DELETE FROM Grupa_backup");
        fails({"compact"}); // another connection holds the file
    }
    fails({"undo"});
    EXPECT_EQ(names(), moved);
}

} // namespace
} // namespace listrion
