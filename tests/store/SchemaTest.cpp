#include "store/Schema.h"
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
    // A group's channels in position order: no scan, no sort.
    const std::string groupChannels =
        queryPlan(db, "SELECT rowid FROM Playlist WHERE grupa = ? AND broj >= ? ORDER BY broj");
    EXPECT_NE(groupChannels.find("INDEX Playlist_grupa_broj"), std::string::npos) << groupChannels;
    EXPECT_EQ(groupChannels.find("TEMP B-TREE"), std::string::npos) << groupChannels;

    const std::string byBrojOnly = queryPlan(db, "SELECT * FROM Playlist WHERE broj = ?");
    EXPECT_NE(byBrojOnly.find("INDEX Playlist_broj"), std::string::npos) << byBrojOnly;

    const std::string groupByName = queryPlan(db, "SELECT * FROM Grupa WHERE grupa = ?");
    EXPECT_NE(groupByName.find("INDEX Grupa_grupa"), std::string::npos) << groupByName;

    const std::string groupGrid = queryPlan(db, "SELECT rowid FROM Grupa ORDER BY type, broj");
    EXPECT_EQ(groupGrid.find("TEMP B-TREE"), std::string::npos) << groupGrid;

    const std::string allChannels = queryPlan(db, "SELECT rowid FROM Playlist ORDER BY broj");
    EXPECT_EQ(allChannels.find("TEMP B-TREE"), std::string::npos) << allChannels;
}

TEST(Schema, ColumnsAreInTheLayoutOrder)
{
    test::TempFolder folder;
    Database db = Schema::open(folder.file("data.mdb"));
    auto columns = [&](const std::string& table) {
        std::string names;
        Statement st = db.prepare("SELECT name FROM pragma_table_info(?) ORDER BY cid");
        st.bind(1, table);
        while (st.step()) {
            names += st.columnText(0) + " ";
        }
        return names;
    };
    for (std::string_view table : Schema::kPlaylistLayoutTables) {
        EXPECT_EQ(columns(std::string(table)),
                  "izberi grupa name tvgname tvgid link logo broj type parent_code ")
            << table;
    }
    for (std::string_view table : Schema::kGrupaLayoutTables) {
        EXPECT_EQ(columns(std::string(table)), "izberi grupa type count broj ") << table;
    }
    EXPECT_EQ(columns("Izbrana_Playlista"), "Ime ");
    EXPECT_EQ(columns("SS_Epg"), "ssepgurl ");
}

} // namespace
} // namespace listrion::store
