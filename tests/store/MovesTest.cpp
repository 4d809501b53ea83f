#include "store/BlockMoves.h"
#include "store/OrderingError.h"
#include "store/PositionSwaps.h"
#include "store/SelectedSteps.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace listrion::store {
namespace {

using Names = std::vector<std::string>;
using Numbers = std::vector<std::int64_t>;

class Moves : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore s{folder.file("data.mdb")};
    Database& db = s.db;

    void tick(const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            db.prepare("UPDATE Playlist SET izberi = 1 WHERE name = ?").bindAll(name).run();
        }
    }
    std::int64_t ticked() { return db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi", 0); }
    OrderingError::Kind failure(const std::function<void()>& move)
    {
        const Numbers before = s.column("Playlist", "broj");
        const Numbers groupsBefore = s.column("Grupa", "broj");
        try {
            move();
        } catch (const OrderingError& e) {
            EXPECT_EQ(s.column("Playlist", "broj"), before);
            EXPECT_EQ(s.column("Grupa", "broj"), groupsBefore);
            return e.kind();
        }
        ADD_FAILURE() << "the move did not fail";
        return OrderingError::Kind::NoPosition;
    }
};

TEST_F(Moves, SwapsStopAtTheEndsAndFailWithoutANeighbour)
{
    s.fill({2, 3, 1});
    // The swaps themselves are compared with the row-by-row algorithms in MovesProperty.
    EXPECT_FALSE(Pozicija_Nova_Gore_Grupa(db, 1)); // the first group stays
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G3"}));

    // A missing neighbour or a position out of the integer range changes nothing.
    db.exec("UPDATE Playlist SET broj = broj + 10 WHERE broj > 3");
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole(db, 3); }), OrderingError::Kind::MissingRow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore(db, 14); }), OrderingError::Kind::MissingRow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole_Grupa(db, 3); }), OrderingError::Kind::MissingRow);
    db.exec("UPDATE Grupa SET broj = 32767 WHERE broj = 3");
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole_Grupa(db, 32767); }), OrderingError::Kind::Overflow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore_Grupa(db, 40000); }), OrderingError::Kind::Overflow);
    // Channel positions go well past the group range.
    db.exec("UPDATE Playlist SET broj = broj + 40000 WHERE broj > 13");
    Pozicija_Nova_Gore(db, 40015);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.2"}));
    Pozicija_Nova_Dole(db, 40014);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.2", "G2.3"}));
}

TEST_F(Moves, TickedChannelsStepUpAsBlocks)
{
    s.fill({3, 6});
    tick({"G2.3", "G2.4", "G2.6", "G1.3"});
    const SelectedStep up = Pozicija_Nova_Gore_Sve(db, "g2");
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.4", "G2.2", "G2.6", "G2.5"}));
    EXPECT_EQ(up.rememberedRow, 1); // G2.3 now stands in row 1
    EXPECT_EQ(up.moved, 3);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.2", "G1.3"})); // other groups stay
    EXPECT_EQ(ticked(), 4);
    // The group's first row ticked alone: nothing moves, no row is remembered.
    db.exec("UPDATE Playlist SET izberi = 0");
    tick({"G2.1"});
    EXPECT_FALSE(Pozicija_Nova_Gore_Sve(db, "G2").rememberedRow);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.4", "G2.2", "G2.6", "G2.5"}));

    db.exec("UPDATE Playlist SET broj = broj + 1 WHERE name = 'G2.5'");
    tick({"G2.5"});
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore_Sve(db, "G2"); }), OrderingError::Kind::MissingRow);
}

TEST_F(Moves, TickedChannelsStepDownBelowTheLastStoredChannel)
{
    s.fill({5});
    tick({"G1.2", "G1.3"});
    SelectedStep down = Pozicija_Nova_Dole_Sve(db, "G1");
    EXPECT_EQ(s.names(), (Names{"G1.1", "G1.4", "G1.2", "G1.3", "G1.5"}));
    EXPECT_EQ(down.rememberedRow, 3); // G1.3 now stands in row 3

    // Only channels above the position of the group's last channel in store order move: here
    // G1.5 (the last row stored) stands at position 3.
    db.exec(
        "UPDATE Playlist SET izberi = 0; UPDATE Playlist SET broj = 8 - broj WHERE broj IN (3, 5)");
    ASSERT_EQ(s.names(), (Names{"G1.1", "G1.4", "G1.5", "G1.3", "G1.2"}));
    tick({"G1.1", "G1.5", "G1.3"});
    down = Pozicija_Nova_Dole_Sve(db, "G1");
    EXPECT_EQ(s.names(), (Names{"G1.4", "G1.1", "G1.5", "G1.3", "G1.2"}));
    EXPECT_EQ(down.rememberedRow, 1);
    EXPECT_EQ(down.moved, 1);
}

TEST_F(Moves, BlockMovesKeepTheGroupRangeAndClearAllTicks)
{
    s.fill({2, 0, 0});
    s.channel("G2", "e", 7, true);
    s.channel("G2", "d", 8);
    s.channel("G2", "c", 5, true);
    s.channel("G2", "b", 4);
    s.channel("G2", "a", 3);
    s.channel("G3", "x", 9, true);
    BlockMove top = Premakni_Sve_Na_Vrh(db, "G2");
    // The block in store order from the group's first position, the others after it.
    EXPECT_EQ(s.names("G2"), (Names{"e", "c", "a", "b", "d"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 3, 7, 4, 6, 5, 9}));
    EXPECT_EQ(top.moved, 2);
    EXPECT_EQ(ticked(), 0); // the tick of the other group too

    tick({"a", "e"});
    const BlockMove bottom = Premakni_Sve_Na_Dno(db, "G2");
    EXPECT_EQ(s.names("G2"), (Names{"c", "b", "d", "e", "a"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 6, 5, 3, 4, 7, 9}));
    EXPECT_EQ(bottom.moved, 2);

    // A range starting at 0 is numbered from 1: the row at 0 itself joins the block.
    db.exec("UPDATE Playlist SET broj = broj - 3 WHERE grupa = 'G2'");
    tick({"d"});
    Premakni_Sve_Na_Dno(db, "G2");
    EXPECT_EQ(s.names("G2"), (Names{"b", "e", "a", "d", "c"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 2, 4, 5, 1, 3, 9}));
}

TEST_F(Moves, TickedGroupsMoveAsOneBlockWhateverTheirType)
{
    s.group("Live1", 1, "Live");
    s.group("Vod1", 3, "VOD", true);
    s.group("Live2", 2, "Live");
    s.group("Radio1", 4, "Radio", true);
    EXPECT_EQ(Premakni_Sve_Na_Vrh_Grupa(db).moved, 2);
    EXPECT_EQ(s.groups(), (Names{"Vod1", "Radio1", "Live1", "Live2"}));
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa WHERE izberi", -1), 0);
    db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa IN ('Live1', 'Vod1')");
    Premakni_Sve_Na_Dno_Grupa(db);
    EXPECT_EQ(s.groups(), (Names{"Radio1", "Live2", "Live1", "Vod1"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (Numbers{3, 4, 2, 1}));
}

} // namespace
} // namespace listrion::store
