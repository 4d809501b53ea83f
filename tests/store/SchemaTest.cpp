#include "store/Schema.h"
#include "store/Transaction.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace listrion::store {
namespace {

std::string queryPlan(const Database& db, const std::string& sql)
{
    std::string plan;
    Statement st = db.prepare("EXPLAIN QUERY PLAN " + sql);
    while (st.step()) {
        plan += st.columnText(3) + "\n";
    }
    return plan;
}

TEST(Schema, HotLookupsUseIndexes)
{
    test::TempFolder folder;
    Database db = Schema::open(folder.file("data.mdb"));
    // The grid's queries are checked in GridModels; these are the lookups of the commands.
    const std::string byBrojOnly = queryPlan(db, "SELECT * FROM Playlist WHERE broj = ?");
    EXPECT_NE(byBrojOnly.find("INDEX Playlist_broj"), std::string::npos) << byBrojOnly;

    const std::string groupByName = queryPlan(db, "SELECT * FROM Grupa WHERE grupa = ?");
    EXPECT_NE(groupByName.find("INDEX Grupa_grupa"), std::string::npos) << groupByName;
}

// The build after a load sorts through temporary files in small pieces; the index must come out
// whole and in the collation's order, and the connection must get its usual settings back.
TEST(Schema, IndexBuiltAfterALoadIsWholeAndSettingsComeBack)
{
    test::TempFolder folder;
    Database db = Schema::open(folder.file("data.mdb"));
    Schema::dropPlaylistIndexes(db);
    const std::string upper = "ÖSTERREICH | NACHRICHTEN UND DOKUMENTATIONEN IN VOLLER LÄNGE";
    const std::string lower = "österreich | nachrichten und dokumentationen in voller länge";
    constexpr int kRows = 90000;
    {
        Transaction tx(db);
        Statement insert = db.prepare("INSERT INTO Playlist (grupa, broj) VALUES (?, ?)");
        for (int i = 0; i < kRows; ++i) {
            // Positions in a scrambled order, the group spelt three ways.
            const int broj = static_cast<int>((i * 7919L) % kRows) + 1;
            const std::string& grupa = i % 3 == 0   ? upper
                                       : i % 3 == 1 ? lower
                                                    : std::string("Sport");
            insert.bindAll(grupa, broj);
            insert.run();
        }
        tx.commit();
    }
    Schema::createPlaylistIndexesAfterLoad(db, 1024);

    EXPECT_EQ(db.scalarInt("PRAGMA temp_store", -1), 2);
    EXPECT_EQ(db.scalarInt("PRAGMA cache_size", 0), -Database::kCacheKiB);
    Statement check = db.prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.columnText(0), "ok");

    const std::string sql = "SELECT broj FROM Playlist WHERE grupa = ? ORDER BY broj";
    EXPECT_NE(queryPlan(db, sql).find("INDEX Playlist_grupa_broj"), std::string::npos);
    Statement group = db.prepare(sql);
    group.bind(1, std::string("Österreich | Nachrichten und Dokumentationen in voller Länge"));
    int count = 0;
    std::int64_t previous = 0;
    bool ascending = true;
    while (group.step()) {
        ascending = ascending && group.columnInt(0) > previous;
        previous = group.columnInt(0);
        ++count;
    }
    EXPECT_EQ(count, kRows / 3 * 2);
    EXPECT_TRUE(ascending);
}

} // namespace
} // namespace listrion::store
