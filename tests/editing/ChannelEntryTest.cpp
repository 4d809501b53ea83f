#include "editing/ChannelEntry.h"
#include "editing/EditRefused.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;

ChannelFields fields(const std::string& group, const std::string& name)
{
    return {group, name, "", "ext", "", "http://tv/" + name, "Live", ""};
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

TEST(ChannelEntry, AddNumbersAfresh)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.fill({2, 2});
    s.group("Empty", 3);
    s.recount();

    // The first channel of an empty group, then one more in the middle group.
    const AddedChannel first = addChannel(s.db, fields("empty", "E1"));
    EXPECT_FALSE(first.groupCreated);
    EXPECT_EQ(first.broj, 5);
    const AddedChannel second = addChannel(s.db, fields("G1", "G1.3"));
    EXPECT_EQ(second.broj, 3);
    EXPECT_EQ(s.names(), (Names{"G1.1", "G1.2", "G1.3", "G2.1", "G2.2", "E1"}));
    EXPECT_EQ(s.db.scalarInt("SELECT parent_code FROM Playlist WHERE name = 'G1.3'", -1), 0);
    EXPECT_EQ(s.db.scalarInt("SELECT typeof(parent_code) = 'integer' FROM Playlist WHERE name = "
                             "'G1.3'",
                             -1),
              1);
    EXPECT_EQ(s.db.scalarInt("SELECT count FROM Grupa WHERE grupa = 'G1'", -1), 3);

    // A group nobody has yet comes last, with the channel's type.
    ChannelFields radio = fields("Ra'dio %", "R1");
    radio.type = "Radio";
    radio.parentCode = "0042";
    EXPECT_TRUE(addChannel(s.db, radio).groupCreated);
    EXPECT_EQ(s.groups().back(), "Ra'dio %");
    EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Grupa WHERE type = 'Radio'", -1), 1);
    EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Playlist WHERE parent_code = '0042'", -1), 1);
    EXPECT_THROW(addChannel(s.db, fields("G1", "")), EditRefused);
    EXPECT_TRUE(s.problems().empty()) << s.problems().front();
}

TEST(ChannelEntry, EditInPlaceOrMovedToAnotherGroup)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.fill({3, 2});
    s.recount();
    const std::int64_t rowid = s.db.scalarInt("SELECT rowid FROM Playlist WHERE name = 'G1.2'", 0);
    ChannelFields f = *readChannel(s.db, rowid);
    f.name = "Renamed";
    EXPECT_FALSE(editChannel(s.db, rowid, f).moved);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "Renamed", "G1.3"}));

    f.grupa = "g2";
    const EditedChannel moved = editChannel(s.db, rowid, f);
    EXPECT_TRUE(moved.moved);
    EXPECT_EQ(moved.from, "G1");
    EXPECT_EQ(s.names("G2"), (Names{"Renamed", "G2.1", "G2.2"}));
    EXPECT_EQ(s.db.scalarInt("SELECT count FROM Grupa WHERE grupa = 'G1'", -1), 2);
    EXPECT_TRUE(s.problems().empty()) << s.problems().front();

    f.grupa = "Nowhere";
    EXPECT_THROW(editChannel(s.db, rowid, f), EditRefused);
    f.grupa = "G1";
    EXPECT_THROW(editChannel(s.db, 999, f), EditRefused);
}

} // namespace
} // namespace listrion::editing
