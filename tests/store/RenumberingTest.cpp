#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/GroupNumbering.h"
#include "store/OrderingError.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>

namespace listrion::store {
namespace {

using Names = std::vector<std::string>;
using Numbers = std::vector<std::int64_t>;

class Renumbering : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore s{folder.file("data.mdb")};
    Database& db = s.db;

    std::int64_t count(const std::string& grupa)
    {
        return db.scalarInt("SELECT count FROM Grupa WHERE grupa = ? ORDER BY rowid", -1, grupa);
    }
};

TEST_F(Renumbering, FullRenumberingRunsGroupByGroupInPositionOrder)
{
    s.group("Sport", 2);
    s.group("Film", 1);
    s.group("News", 3);
    const auto a2 = s.channel("Film", "a2", 50);
    const auto b1 = s.channel("Sport", "b1", 5);
    const auto a1 = s.channel("Film", "a1", 10);
    const auto n1 = s.channel("NEWS  ", "n1", 8); // the same group as News
    const auto orphan = s.channel("Nowhere", "x", 7);
    EXPECT_EQ(Zapisi_Nove_Brojeve(db), 4);
    Numbers broj = s.column("Playlist", "broj");
    EXPECT_EQ((Numbers{broj[a1 - 1], broj[a2 - 1], broj[b1 - 1], broj[n1 - 1]}),
              (Numbers{1, 2, 3, 4}));
    EXPECT_EQ(broj[orphan - 1], 7);        // no group row: left alone
    EXPECT_EQ(Zapisi_Nove_Brojeve(db), 0); // only rows that change are written

    // A name that two group rows share is numbered at both places; the later place decides
    // and the running number counts both passes.
    s.group("film", 4);
    Zapisi_Nove_Brojeve(db);
    broj = s.column("Playlist", "broj");
    EXPECT_EQ((Numbers{broj[a1 - 1], broj[a2 - 1], broj[b1 - 1], broj[n1 - 1]}),
              (Numbers{5, 6, 3, 4}));
}

TEST_F(Renumbering, GroupChannelsFromAStartValueAndTheirCount)
{
    s.fill({10, 5, 3});
    db.exec("DELETE FROM Playlist WHERE broj = 13");
    const ChannelsRenumbered r = Zapisi_Nove_Brojeve_Channels(db, "g2", 11);
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(s.texts("SELECT broj FROM Playlist WHERE grupa = ? ORDER BY broj", "G2"),
              (Names{"11", "12", "13", "14"}));
    EXPECT_EQ(count("G2"), 4);
    EXPECT_EQ(s.names("G3"), (Names{"G3.1", "G3.2", "G3.3"})); // the gap after G2 stays
    EXPECT_EQ(db.scalarInt("SELECT min(broj) FROM Playlist WHERE grupa = 'G3'", 0), 16);

    // An emptied group gets count 0; a start that would overflow changes nothing.
    db.exec("UPDATE Grupa SET count = 3 WHERE grupa = 'G3'; DELETE FROM Playlist WHERE grupa = "
            "'G3'");
    EXPECT_EQ(Zapisi_Nove_Brojeve_Channels(db, "G3", 1).count, 0);
    EXPECT_EQ(count("G3"), 0);
    const Numbers before = s.column("Playlist", "broj");
    EXPECT_THROW(
        Zapisi_Nove_Brojeve_Channels(db, "G2", std::numeric_limits<std::int32_t>::max() - 2),
        OrderingError);
    EXPECT_EQ(s.column("Playlist", "broj"), before);
    EXPECT_EQ(count("G2"), 4);
}

TEST_F(Renumbering, GroupNumberingByTypeThenPositionOrByName)
{
    s.group("zeta", 1, "VOD");
    s.group("Alpha", 2, "Live");
    s.group("beta", 5, "live");
    s.group("Gamma", 5, "Radio"); // equal positions keep store order
    s.group("delta", 5, "Radio");
    EXPECT_EQ(Zapisi_Nove_Brojeve_Grupa(db), 5);
    EXPECT_EQ(s.groups(), (Names{"Alpha", "beta", "Gamma", "delta", "zeta"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (Numbers{5, 1, 2, 3, 4}));
    EXPECT_EQ(Zapisi_Nove_Brojeve_Grupa(db), 0);
    Zapisi_Nove_Brojeve_Groups_Sort_By_Name(db);
    EXPECT_EQ(s.groups(), (Names{"Alpha", "beta", "delta", "Gamma", "zeta"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (Numbers{5, 1, 2, 4, 3}));
    db.exec("UPDATE Grupa SET grupa = 'Ω' WHERE grupa = 'Alpha'");
    Zapisi_Nove_Brojeve_Groups_Sort_By_Name(db);
    EXPECT_EQ(s.groups(), (Names{"beta", "delta", "Gamma", "zeta", "Ω"}));
}

TEST_F(Renumbering, SortingChannelsByNameKeepsTheGroupRange)
{
    s.group("A", 1);
    s.group("B", 2);
    s.channel("A", "zz", 1);
    s.channel("A", "yy", 2);
    s.channel("B", "b", 3);
    s.channel("B", "Ä", 4);
    s.channel("B", "a", 5);
    Zapisi_Nove_Brojeve_Channels_Sort_By_Name(db, "b");
    EXPECT_EQ(s.names(), (Names{"zz", "yy", "a", "b", "Ä"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 4, 5, 3}));
    Zapisi_Nove_Brojeve_Channels_Sort_By_Name(db, std::nullopt);
    EXPECT_EQ(s.names(), (Names{"yy", "zz", "a", "b", "Ä"}));
    EXPECT_EQ(Zapisi_Nove_Brojeve_Channels_Sort_By_Name(db, "nothing"), 0);
}

TEST_F(Renumbering, CountsAndTypesFollowTheChannels)
{
    s.group("Full", 1);
    s.group("Emptied", 2);
    db.exec("UPDATE Grupa SET count = 9");
    s.channel("Full", "f1", 1, false, "VOD");
    s.channel("FULL", "f2", 2, false, "Radio");
    EXPECT_EQ(Zapisi_Stevilo_Grupa(db), 1);
    EXPECT_EQ(count("Full"), 2);
    EXPECT_EQ(count("Emptied"), 9); // a group without channels keeps its count
    EXPECT_EQ(Zapisi_Stevilo_Grupa(db), 0);

    EXPECT_FALSE(Osvezi_Grupu(db, kNoGroupName, GroupTypeFrom::FirstChannel));
    EXPECT_TRUE(Osvezi_Grupu(db, "full", GroupTypeFrom::FirstChannel));
    EXPECT_EQ(s.texts("SELECT type FROM Grupa WHERE grupa = ?", "Full"), Names{"VOD"});
    EXPECT_TRUE(Osvezi_Grupu(db, "full", GroupTypeFrom::LastChannel));
    EXPECT_EQ(s.texts("SELECT type FROM Grupa WHERE grupa = ?", "Full"), Names{"Radio"});
    EXPECT_FALSE(Osvezi_Grupu(db, "Emptied", GroupTypeFrom::LastChannel));
    EXPECT_EQ(count("Emptied"), 9);
    EXPECT_TRUE(Osvezi_Grupu(db, "Emptied", GroupTypeFrom::FirstChannel));
    EXPECT_EQ(count("Emptied"), 0);
    EXPECT_EQ(s.texts("SELECT type FROM Grupa WHERE grupa = ?", "Emptied"), Names{""});

    // Of two rows of one name, the one with the lowest position gets the count.
    s.group("full", 0);
    s.channel("Full", "f3", 3);
    EXPECT_TRUE(Osvezi_Stevilo_Grupe(db, "Full"));
    EXPECT_EQ(s.column("Grupa", "count"), (Numbers{2, 0, 3}));
    db.exec("DELETE FROM Playlist");
    EXPECT_FALSE(Osvezi_Stevilo_Grupe(db, "Full"));
    EXPECT_EQ(s.column("Grupa", "count"), (Numbers{2, 0, 3}));
}

} // namespace
} // namespace listrion::store
