#include "editing/ChannelCommands.h"
#include "editing/ChannelEntry.h"
#include "editing/ChannelNameTools.h"
#include "editing/EditRefused.h"
#include "editing/ParentalCodes.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;
using Reason = EditRefused::Reason;

ChannelFields fields(const std::string& group, const std::string& name)
{
    return {group, name, "", "ext", "", "http://tv/" + name, "Live", ""};
}

// G1..G4 with 3, 1, 2 and 2 channels numbered 1..8, counted.
class ChannelCommands : public ::testing::Test {
protected:
    ChannelCommands()
    {
        s.fill({3, 1, 2, 2});
        s.recount();
    }
    std::int64_t id(const std::string& name)
    {
        return s.db.scalarInt("SELECT rowid FROM Playlist WHERE name = ?", 0, name);
    }
    std::int64_t value(const char* sql) { return s.db.scalarInt(sql, -1); }
    void expectSound()
    {
        const std::vector<std::string> problems = s.problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }
    Reason refused(const std::function<void()>& command)
    {
        try {
            command();
        } catch (const EditRefused& e) {
            return e.reason();
        }
        ADD_FAILURE() << "not refused";
        return Reason::BadType;
    }

    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
};

TEST_F(ChannelCommands, DeleteFormsKeepOrRemoveAnEmptiedGroup)
{
    // The middle channel of a group goes; the group keeps its first number.
    deleteChannels(s.db, ChannelSelection::one(id("G1.2")), EmptiedGroup::Remove);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.3"}));
    EXPECT_EQ(value("SELECT min(broj) FROM Playlist WHERE grupa = 'G1'"), 1);
    // The button keeps a group it empties, with count 0; the menu entries remove it.
    DeletedChannels d = deleteChannels(s.db, ChannelSelection::one(id("G2.1")), EmptiedGroup::Keep);
    EXPECT_FALSE(d.groupRemoved);
    EXPECT_EQ(value("SELECT count FROM Grupa WHERE grupa = 'G2'"), 0);
    s.db.exec("UPDATE Playlist SET izberi = 1 WHERE grupa = 'G3'");
    d = deleteChannels(s.db, ChannelSelection::tickedIn("g3"), EmptiedGroup::Remove);
    EXPECT_EQ(d.channels, 2);
    EXPECT_TRUE(d.groupRemoved);
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G4"}));
    // The Delete key numbers every channel afresh.
    deleteChannelRenumberingAll(s.db, id("G4.1"));
    EXPECT_EQ(s.column("Playlist", "broj"), (std::vector<std::int64_t>{1, 2, 3}));
    expectSound();
    EXPECT_EQ(
        refused([&] { deleteChannels(s.db, ChannelSelection::one(999), EmptiedGroup::Keep); }),
        Reason::NoSuchChannel);
}

TEST_F(ChannelCommands, MovesToTheEndsKeepTheGroupsRange)
{
    EXPECT_FALSE(moveChannelTo(s.db, id("G1.1"), ChannelEnd::Top));
    EXPECT_FALSE(moveChannelTo(s.db, id("G1.3"), ChannelEnd::Bottom));
    EXPECT_TRUE(moveChannelTo(s.db, id("G1.3"), ChannelEnd::Top));
    EXPECT_EQ(s.names("G1"), (Names{"G1.3", "G1.1", "G1.2"}));
    EXPECT_TRUE(moveChannelTo(s.db, id("G1.3"), ChannelEnd::Bottom));
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.2", "G1.3"}));
    // The group's first channel to the bottom: numbered from the group's lowest number as it
    // was before the move, so the last one does not take the next group's first number.
    EXPECT_TRUE(moveChannelTo(s.db, id("G1.1"), ChannelEnd::Bottom));
    EXPECT_EQ(s.names("G1"), (Names{"G1.2", "G1.3", "G1.1"}));
    EXPECT_EQ(value("SELECT broj FROM Playlist WHERE name = 'G1.1'"), 3);
    expectSound();
}

TEST_F(ChannelCommands, MoveToGroupRemovesTheSourceOnlyWhenAsked)
{
    // One channel from a row that is not the first: the emptied G2 stays.
    MovedChannels m =
        moveChannelsToGroup(s.db, ChannelSelection::one(id("G2.1")), "g4", std::nullopt);
    EXPECT_FALSE(m.sourceRemoved);
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G3", "G4"}));
    EXPECT_EQ(value("SELECT count FROM Grupa WHERE grupa = 'G2'"), 0);
    // It keeps its number, lower than G4's channels: it leads the group.
    EXPECT_EQ(s.names("G4"), (Names{"G2.1", "G4.1", "G4.2"}));
    expectSound();

    // The ticked channels of G3 from its first row: G3 empties and goes.
    s.db.exec("UPDATE Playlist SET izberi = 1 WHERE grupa = 'G3';"
              "UPDATE Playlist SET type = 'VOD' WHERE name = 'G3.1';"
              "UPDATE Playlist SET izberi = 1 WHERE name = 'G4.2'");
    m = moveChannelsToGroup(s.db, ChannelSelection::tickedIn("G3"), "G1", std::string("G3"));
    EXPECT_EQ(m.channels, 2);
    EXPECT_TRUE(m.sourceRemoved);
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G4"}));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE izberi <> 0"), 1); // G4.2 still ticked
    // Every ticked channel of the playlist.
    moveChannelsToGroup(s.db, ChannelSelection::allTicked(), "G2", std::string("G2"));
    EXPECT_EQ(s.names("G2"), (Names{"G4.2"}));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE izberi <> 0"), 0);
    expectSound();
    EXPECT_EQ(refused([&] {
                  moveChannelsToGroup(s.db, ChannelSelection::one(id("G1.1")), "Nope",
                                      std::nullopt);
              }),
              Reason::NoSuchGroup);
}

TEST_F(ChannelCommands, CopiesHaveNoTypeAndLandByTheirNumbers)
{
    s.db.exec("UPDATE Playlist SET extras = '#EXTVLCOPT:http-referrer=http://r/' "
              "WHERE name = 'G1.1'");
    EXPECT_EQ(copyChannelsToGroup(s.db, ChannelSelection::one(id("G1.1")), "G3"), 1);
    // The copy carries what the stream needs to play.
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE extras LIKE '%http-referrer%'"), 2);
    EXPECT_EQ(s.names("G3"), (Names{"G3.1", "G3.2", "G1.1"})); // a single copy comes last
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE name = 'G1.1' AND type = ''"), 1);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.2", "G1.3"})); // the source stays
    // Ticked copies from a group before the target come first, from a group after it last.
    s.db.exec("UPDATE Playlist SET izberi = 1 WHERE name IN ('G1.2', 'G1.3')");
    copyChannelsToGroup(s.db, ChannelSelection::tickedIn("G1"), "G2");
    EXPECT_EQ(s.names("G2"), (Names{"G1.2", "G1.3", "G2.1"}));
    s.db.exec("UPDATE Playlist SET izberi = 1 WHERE grupa = 'G4'");
    copyChannelsToGroup(s.db, ChannelSelection::tickedIn("G4"), "G2");
    EXPECT_EQ(s.names("G2"), (Names{"G1.2", "G1.3", "G2.1", "G4.1", "G4.2"}));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE izberi <> 0"), 0);
    expectSound();
}

TEST_F(ChannelCommands, NameToolsOnNamesAndTvgNames)
{
    s.db.exec("UPDATE Playlist SET name = 'UK: Sport', tvgname = 'uk sport' WHERE name = 'G1.1';"
              "UPDATE Playlist SET name = 'bbc one hd', tvgname = 'x' WHERE name = 'G1.2';");
    EXPECT_EQ(refused([&] {
                  applyChannelNameEdit(s.db, {ChannelNameTool::Prefix, "DE", {}, true, false},
                                       std::nullopt);
              }),
              Reason::NothingTicked);
    EXPECT_EQ(refused([&] {
                  applyChannelNameEdit(s.db, {ChannelNameTool::Replace, "a", "b", false, false},
                                       std::nullopt);
              }),
              Reason::NoNameColumn);
    EXPECT_EQ(applyChannelNameEdit(s.db, {ChannelNameTool::Strip, {}, {}}, std::string("G1")), 1);
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE name = 'Sport' AND tvgname = 'Sport'"), 1);
    EXPECT_EQ(applyChannelNameEdit(s.db, {ChannelNameTool::Capitalize, {}, {}}, std::nullopt), 1);
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE name = 'BBC One HD' AND tvgname = 'X'"),
              1);
    // Replace in the tvg-names of one group only.
    applyChannelNameEdit(s.db, {ChannelNameTool::Replace, "G", "Ch ", false, true},
                         std::string("g4"));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE tvgname LIKE 'Ch %'"), 2);
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE name LIKE 'Ch %'"), 0);
    // A suffix on the ticked channels, then every tick is cleared.
    s.db.exec("UPDATE Playlist SET izberi = 1 WHERE grupa = 'G3'");
    EXPECT_EQ(
        applyChannelNameEdit(s.db, {ChannelNameTool::Suffix, "+1", {}, true, true}, std::nullopt),
        2);
    EXPECT_EQ(s.names("G3"), (Names{"G3.1 +1", "G3.2 +1"}));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE izberi <> 0"), 0);
}

TEST_F(ChannelCommands, ParentalCodesAreFourDigitsForAWholeGroup)
{
    for (auto [code, problem] :
         {std::pair{"0000", ChannelProblem::None}, std::pair{"123", ChannelProblem::CodeTooShort},
          std::pair{"12345", ChannelProblem::CodeTooLong},
          std::pair{"abcd", ChannelProblem::CodeNotNumeric},
          std::pair{"", ChannelProblem::CodeNotNumeric}}) {
        EXPECT_EQ(checkGroupParentCode(code), problem) << code;
    }
    EXPECT_FALSE(groupParentCode(s.db, "G3"));
    EXPECT_FALSE(removeGroupParentCode(s.db, "G3"));
    EXPECT_EQ(setGroupParentCode(s.db, "g3", "0000"), 2);
    EXPECT_EQ(groupParentCode(s.db, "G3"), "0000");
    EXPECT_EQ(refused([&] { setGroupParentCode(s.db, "G3", "12345"); }), Reason::BadCode);
    EXPECT_TRUE(removeGroupParentCode(s.db, "G3"));
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE grupa = 'G3' AND parent_code = ''"), 2);
    EXPECT_FALSE(groupParentCode(s.db, "G3"));
}

TEST(ChannelEntry, ChecksComeInTheDialogsOrder)
{
    ChannelFields f{"", "", "", "", "", "", "", "12345"};
    EXPECT_EQ(checkChannel(f), ChannelProblem::NoGroup);
    EXPECT_EQ(checkChannel(f, false), ChannelProblem::NoName);
    f.grupa = "News";
    f.name = "A";
    EXPECT_EQ(checkChannel(f), ChannelProblem::NoLink);
    f.link = "http://a";
    EXPECT_EQ(checkChannel(f), ChannelProblem::NoType);
    f.type = "live";
    EXPECT_EQ(checkChannel(f), ChannelProblem::BadType);
    f.type = "Radio";
    EXPECT_EQ(checkChannel(f), ChannelProblem::CodeTooLong);
    for (auto [code, problem] :
         {std::pair{"0000", ChannelProblem::None}, std::pair{"0", ChannelProblem::None},
          std::pair{"", ChannelProblem::None}, std::pair{"123", ChannelProblem::CodeTooShort},
          std::pair{"abcd", ChannelProblem::CodeNotNumeric},
          std::pair{"１２３４", ChannelProblem::CodeNotNumeric},
          std::pair{"-123", ChannelProblem::CodeNotNumeric}}) {
        EXPECT_EQ(checkParentCode(code), problem) << code;
    }
    f.parentCode.clear();
    f.logo = std::string(1001, 'l');
    EXPECT_EQ(checkChannel(f), ChannelProblem::TooLong);
}

TEST_F(ChannelCommands, AddNumbersAfresh)
{
    s.group("Empty", 5);
    s.recount();
    // The first channel of an empty group, then one more in the first group.
    const AddedChannel first = addChannel(s.db, fields("empty", "E1"));
    EXPECT_FALSE(first.groupCreated);
    EXPECT_EQ(first.broj, 9);
    EXPECT_EQ(addChannel(s.db, fields("G1", "G1.4")).broj, 4);
    EXPECT_EQ(s.names(), (Names{"G1.1", "G1.2", "G1.3", "G1.4", "G2.1", "G3.1", "G3.2", "G4.1",
                                "G4.2", "E1"}));
    EXPECT_EQ(
        s.texts("SELECT typeof(parent_code) || parent_code FROM Playlist WHERE name = ?", "G1.4"),
        Names{"integer0"});
    EXPECT_EQ(value("SELECT count FROM Grupa WHERE grupa = 'G1'"), 4);

    // A group nobody has yet comes last, with the channel's type.
    ChannelFields radio = fields("Ra'dio %", "R1");
    radio.type = "Radio";
    radio.parentCode = "0042";
    EXPECT_TRUE(addChannel(s.db, radio).groupCreated);
    EXPECT_EQ(s.groups().back(), "Ra'dio %");
    EXPECT_EQ(value("SELECT count(*) FROM Grupa WHERE type = 'Radio'"), 1);
    EXPECT_EQ(value("SELECT count(*) FROM Playlist WHERE parent_code = '0042'"), 1);
    EXPECT_EQ(refused([&] { addChannel(s.db, fields("G1", "")); }), Reason::EmptyName);
    expectSound();
}

TEST_F(ChannelCommands, EditInPlaceOrMovedToAnotherGroup)
{
    const std::int64_t rowid = id("G1.2");
    ChannelFields f = *readChannel(s.db, rowid);
    f.name = "Renamed";
    EXPECT_FALSE(editChannel(s.db, rowid, f).moved);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "Renamed", "G1.3"}));

    f.grupa = "g2";
    const EditedChannel moved = editChannel(s.db, rowid, f);
    EXPECT_TRUE(moved.moved);
    EXPECT_EQ(moved.from, "G1");
    EXPECT_EQ(s.names("G2"), (Names{"Renamed", "G2.1"})); // its number leads the group
    EXPECT_EQ(s.db.scalarInt("SELECT count FROM Grupa WHERE grupa = 'G1'", -1), 2);
    EXPECT_TRUE(s.problems().empty()) << s.problems().front();

    f.grupa = "Nowhere";
    EXPECT_EQ(refused([&] { editChannel(s.db, rowid, f); }), Reason::NoSuchGroup);
    EXPECT_EQ(refused([&] { editChannel(s.db, 999, f); }), Reason::NoSuchChannel);
}

} // namespace
} // namespace listrion::editing
