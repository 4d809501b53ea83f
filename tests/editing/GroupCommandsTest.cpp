#include "editing/GroupCommands.h"
#include "editing/EditRefused.h"
#include "editing/GroupNameTools.h"
#include "editing/PlaylistCommands.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;
using Reason = EditRefused::Reason;

// Groups G1..G4 with 2, 3, 1 and 2 channels, counted as after a load.
class GroupCommands : public ::testing::Test {
protected:
    GroupCommands()
    {
        s.fill({2, 3, 1, 2});
        s.recount();
    }
    std::int64_t rows(const char* sql) { return s.db.scalarInt(sql, -1); }
    // The reason a command is refused for; it must change nothing.
    template <typename F> Reason refused(F&& command)
    {
        const Names before = s.names();
        const Names groupsBefore = s.groups();
        try {
            command();
        } catch (const EditRefused& e) {
            EXPECT_EQ(s.names(), before);
            EXPECT_EQ(s.groups(), groupsBefore);
            return e.reason();
        }
        ADD_FAILURE() << "not refused";
        return Reason::BadType;
    }

    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
};

TEST_F(GroupCommands, AddChecksTheNameAndTypeAndPutsTheGroupLast)
{
    EXPECT_EQ(addGroup(s.db, "O'Neil 100% [x]_*?", "VOD"), 5);
    EXPECT_EQ(s.groups().back(), "O'Neil 100% [x]_*?");
    EXPECT_EQ(rows("SELECT count FROM Grupa WHERE broj = 5"), 0);
    EXPECT_EQ(refused([&] { addGroup(s.db, "g2 ", "Live"); }), Reason::NameTaken);
    EXPECT_EQ(refused([&] { addGroup(s.db, "  ", "Live"); }), Reason::EmptyName);
    EXPECT_EQ(refused([&] { addGroup(s.db, std::string(1001, 'x'), "Live"); }),
              Reason::NameTooLong);
    // A thousand letters of two bytes each are a thousand characters.
    std::string wide;
    for (int i = 0; i < 1000; ++i) {
        wide += "š";
    }
    addGroup(s.db, wide, "Radio");
    EXPECT_EQ(refused([&] { addGroup(s.db, "New", "Movies"); }), Reason::BadType);
    EXPECT_EQ(refused([&] { addGroup(s.db, "New", ""); }), Reason::NoType);
    EXPECT_TRUE(s.problems().empty());
}

TEST_F(GroupCommands, RenameMovesTheChannelsAndMergesOnlyWhenAllowed)
{
    RenamedGroup r = renameGroup(s.db, "g1", "Café 'Sport'", OnMerge::Refuse);
    EXPECT_FALSE(r.merged);
    EXPECT_EQ(r.channels, 2);
    EXPECT_EQ(s.names("Café 'Sport'"), (Names{"G1.1", "G1.2"}));
    // Only the letter case changes: still the same group, no merge.
    r = renameGroup(s.db, "Café 'Sport'", "CAFÉ 'SPORT'", OnMerge::Refuse);
    EXPECT_EQ(s.groups().front(), "CAFÉ 'SPORT'");
    EXPECT_EQ(refused([&] { renameGroup(s.db, "G3", "g2", OnMerge::Refuse); }), Reason::NeedsMerge);
    EXPECT_EQ(refused([&] { renameGroup(s.db, "G9", "X", OnMerge::Merge); }), Reason::NoSuchGroup);
    EXPECT_EQ(refused([&] { renameGroup(s.db, "G3", "", OnMerge::Merge); }), Reason::EmptyName);

    // G3 lies between the two: the merged group's channels are numbered as one range again.
    r = renameGroup(s.db, "G4", "g2", OnMerge::Merge);
    EXPECT_TRUE(r.merged);
    EXPECT_EQ(r.name, "G2");
    EXPECT_EQ(r.channels, 5);
    EXPECT_EQ(s.groups(), (Names{"CAFÉ 'SPORT'", "G2", "G3"}));
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.2", "G2.3", "G4.1", "G4.2"}));
    EXPECT_TRUE(s.problems().empty()) << s.problems().front();
}

TEST_F(GroupCommands, DeletesCloseTheGapsByTypeOrByPosition)
{
    // G4 is a Radio group placed first by position: the two renumberings differ.
    s.db.exec("UPDATE Grupa SET type = 'Radio', broj = 0 WHERE grupa = 'G4'");
    DeletedGroups d = deleteGroup(s.db, "g2", GroupGaps::ByTypeAndPosition);
    EXPECT_EQ(d.groups, 1);
    EXPECT_EQ(d.channels, 3);
    EXPECT_EQ(s.groups(), (Names{"G1", "G3", "G4"})); // Live before Radio
    EXPECT_EQ(rows("SELECT count(*) FROM Playlist WHERE grupa = 'G2'"), 0);

    s.db.exec("UPDATE Grupa SET broj = 0 WHERE grupa = 'G4'");
    deleteGroup(s.db, "G3", GroupGaps::ByPosition);
    EXPECT_EQ(s.groups(), (Names{"G4", "G1"})); // position alone
    EXPECT_EQ(s.column("Grupa", "broj"), (std::vector<std::int64_t>{2, 1}));

    // Nothing ticked: nothing goes.
    EXPECT_EQ(deleteTickedGroups(s.db, GroupGaps::ByPosition).groups, 0);
    s.db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa = 'G4'");
    d = deleteTickedGroups(s.db, GroupGaps::ByTypeAndPosition);
    EXPECT_EQ(d.groups, 1);
    EXPECT_EQ(d.channels, 2);
    EXPECT_EQ(s.groups(), (Names{"G1"}));
    EXPECT_TRUE(s.problems().empty());
}

TEST_F(GroupCommands, MovesToTheEndsRenumberByPositionAndRetypeKeepsThePosition)
{
    EXPECT_FALSE(moveGroupTo(s.db, "G1", GroupEnd::Top));
    EXPECT_FALSE(moveGroupTo(s.db, "G4", GroupEnd::Bottom));
    EXPECT_TRUE(moveGroupTo(s.db, "G3", GroupEnd::Top));
    EXPECT_EQ(s.groups(), (Names{"G3", "G1", "G2", "G4"}));
    EXPECT_TRUE(moveGroupTo(s.db, "g1", GroupEnd::Bottom));
    EXPECT_EQ(s.groups(), (Names{"G3", "G2", "G4", "G1"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (std::vector<std::int64_t>{4, 2, 1, 3}));

    EXPECT_EQ(setGroupType(s.db, "g2", "VOD"), 3);
    EXPECT_EQ(rows("SELECT count(*) FROM Playlist WHERE type = 'VOD'"), 3);
    EXPECT_EQ(rows("SELECT broj FROM Grupa WHERE grupa = 'G2' AND type = 'VOD'"), 2);
    EXPECT_EQ(refused([&] { setGroupType(s.db, "G2", "live"); }), Reason::BadType);
}

TEST_F(GroupCommands, NameToolsRenameGroupsWithTheirChannelsAndMergeOnlyWhenAllowed)
{
    // Prefix works on the ticked groups only; with none ticked it is refused.
    EXPECT_EQ(refused([&] {
                  applyGroupNameEdit(s.db, {GroupNameTool::Prefix, "UK", {}}, OnMerge::Merge);
              }),
              Reason::NothingTicked);
    s.db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa IN ('G1', 'G3')");
    GroupNamesChanged r =
        applyGroupNameEdit(s.db, {GroupNameTool::Prefix, "UK:", {}}, OnMerge::Refuse);
    EXPECT_EQ(r.groups, 2);
    EXPECT_EQ(r.channels, 3);
    EXPECT_EQ(s.groups(), (Names{"UK: G1", "G2", "UK: G3", "G4"}));

    // Stripping "UK: G1" gives "G1" again; "G2 (HD)" becomes "G2" too: two merges.
    s.db.exec("UPDATE Grupa SET grupa = 'G2 (HD)' WHERE grupa = 'G2';"
              "UPDATE Playlist SET grupa = 'G2 (HD)' WHERE grupa = 'G2';"
              "UPDATE Grupa SET grupa = 'g2' WHERE grupa = 'G4';"
              "UPDATE Playlist SET grupa = 'g2' WHERE grupa = 'G4';");
    const GroupRenamePlan plan = planGroupNameEdit(s.db, {GroupNameTool::Strip, {}, {}});
    ASSERT_EQ(plan.merges.size(), 1u);
    EXPECT_EQ(plan.merges.front().into, "g2"); // the group that already had the name stays
    EXPECT_EQ(refused([&] {
                  applyGroupNameEdit(s.db, {GroupNameTool::Strip, {}, {}}, OnMerge::Refuse);
              }),
              Reason::NeedsMerge);
    r = applyGroupNameEdit(s.db, {GroupNameTool::Strip, {}, {}}, OnMerge::Merge);
    EXPECT_EQ(r.merged, 1);
    EXPECT_EQ(s.groups(), (Names{"G1", "G3", "g2"}));
    EXPECT_EQ(s.names("g2"), (Names{"G2.1", "G2.2", "G2.3", "G4.1", "G4.2"}));
    EXPECT_TRUE(s.problems().empty()) << s.problems().front();

    // Upper case reaches every channel's own spelling; a find that would empty a name keeps it.
    applyGroupNameEdit(s.db, {GroupNameTool::Upper, {}, {}}, OnMerge::Refuse);
    EXPECT_EQ(rows("SELECT count(*) FROM Playlist WHERE grupa = 'G2' COLLATE BINARY"), 5);
    applyGroupNameEdit(s.db, {GroupNameTool::Replace, "G1", ""}, OnMerge::Refuse);
    EXPECT_EQ(s.groups(), (Names{"G1", "G3", "G2"}));
    EXPECT_EQ(refused([&] {
                  applyGroupNameEdit(s.db, {GroupNameTool::Replace, "G", std::string(1000, 'x')},
                                     OnMerge::Merge);
              }),
              Reason::NameTooLong);
}

TEST(PlaylistCommands, TypeRepairWorksForAnyGroupNameAndCountsItsChanges)
{
    test::TempFolder tmp;
    test::PlaylistStore s(tmp.file("data.mdb"));
    s.group("Kid's 100%_films", 1);
    s.group("kid's 100%_FILMS ", 2, "Radio"); // the same group for the store's comparison
    s.group("Live only", 3);
    s.group("Already", 4, "VOD");
    s.channel("Kid's 100%_films", "a", 1, false, "VOD");
    s.channel("Live only", "b", 2);
    s.channel("Already", "c", 3, false, "VOD");
    EXPECT_EQ(Popravi_Group_Type(s.db), 2);
    EXPECT_EQ(groupNamesInGridOrder(s.db),
              (Names{"Live only", "Kid's 100%_films", "kid's 100%_FILMS ", "Already"}));
    EXPECT_EQ(Popravi_Group_Type(s.db), 0);
}

TEST(PlaylistCommands, ReloadRenumbersGroupsInGridOrderThenChannels)
{
    test::TempFolder tmp;
    test::PlaylistStore s(tmp.file("data.mdb"));
    s.group("V", 1, "VOD");
    s.group("L", 7);
    s.channel("V", "v1", 1);
    s.channel("L", "l2", 9);
    s.channel("L", "l1", 5);
    EXPECT_TRUE(hasChannels(s.db));
    Reload_Playlist(s.db);
    EXPECT_EQ(s.groups(), (Names{"L", "V"}));
    EXPECT_EQ(s.names(), (Names{"l1", "l2", "v1"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (std::vector<std::int64_t>{3, 2, 1}));
    closePlaylist(s.db);
    EXPECT_FALSE(hasChannels(s.db));
}

TEST(PlaylistCommands, RemovesPlaylistFilesOfAnyLetterCaseOnly)
{
    test::TempFolder tmp;
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
