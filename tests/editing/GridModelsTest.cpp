#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <random>

namespace listrion::editing {
namespace {

std::vector<QString> column(const StoreGridModel& model, int col)
{
    std::vector<QString> values;
    for (int row = 0; row < model.rowCount(); ++row) {
        values.push_back(model.data(model.index(row, col)).toString());
    }
    return values;
}

class GridModels : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore store{folder.file("data.mdb")};
};

TEST_F(GridModels, GroupGridListsLiveThenRadioThenVodByPosition)
{
    store.group("Movies", 1, "VOD");
    store.group("News", 3, "Live", true);
    store.group("Sport", 2, "Live");
    store.group("Jazz", 4, "Radio");
    store.db.exec("UPDATE Grupa SET count = 2 WHERE grupa = 'News'");
    store.channel("News", "N1", 1);
    store.channel("news", "N2", 2);

    GroupGridModel model(store.db);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy reloaded(&model, &GroupGridModel::reloaded);
    model.reload();
    EXPECT_EQ(reloaded.count(), 1);

    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(column(model, GroupGridModel::kNameColumn),
              (std::vector<QString>{"Sport", "News", "Jazz", "Movies"}));
    EXPECT_EQ(column(model, GroupGridModel::kTypeColumn),
              (std::vector<QString>{"Live", "Live", "Radio", "VOD"}));
    EXPECT_EQ(column(model, GroupGridModel::kCountColumn), (std::vector<QString>{"", "2", "", ""}));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(model.grupa(1), "News");
    EXPECT_EQ(model.broj(1), 3);
    EXPECT_EQ(model.totalChannels(), 2);
    EXPECT_EQ(model.rowOfGroup("NEWS"), 1);

    // A command that renumbers is seen after reload(), not before.
    store.db.exec("UPDATE Grupa SET broj = 9 WHERE grupa = 'Sport'");
    EXPECT_EQ(model.grupa(0), "Sport");
    model.reload();
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"News", "Sport", "Jazz", "Movies"}));
}

TEST_F(GridModels, TickColumnWritesTheRowAtOnce)
{
    store.group("A", 1);
    store.group("B", 2);
    store.channel("A", "A1", 1);
    const std::int64_t a2 = store.channel("A", "A2", 2);
    store.channel("A", "A3", 3);

    GroupGridModel groups(store.db);
    groups.reload();
    EXPECT_TRUE(groups.setData(groups.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(store.column("Grupa", "izberi"), (std::vector<std::int64_t>{0, 1}));
    EXPECT_FALSE(groups.setData(groups.index(1, 1), "x", Qt::EditRole));

    ChannelGridModel channels(store.db);
    channels.showGroup("a");
    ASSERT_EQ(channels.rowCount(), 3);
    QSignalSpy changed(&channels, &ChannelGridModel::dataChanged);
    EXPECT_TRUE(channels.toggleTick(1));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(store.column("Playlist", "izberi"), (std::vector<std::int64_t>{0, 1, 0}));
    EXPECT_TRUE(channels.isTicked(1));
    EXPECT_TRUE(channels.toggleTick(1));
    EXPECT_EQ(store.column("Playlist", "izberi"), (std::vector<std::int64_t>{0, 0, 0}));

    // A row deleted since the grid was read: nothing is written and nothing else changes.
    store.db.prepare("DELETE FROM Playlist WHERE rowid = ?").bindAll(a2).run();
    EXPECT_FALSE(channels.toggleTick(1));
    EXPECT_EQ(store.column("Playlist", "izberi"), (std::vector<std::int64_t>{0, 0}));
    EXPECT_FALSE(channels.toggleTick(7));
}

TEST_F(GridModels, ChannelGridShowsAGroupByPositionOrByName)
{
    store.group("Films", 1);
    store.group("Other", 2);
    store.channel("Films", "Zorro", 3);
    store.channel("Other", "Alpha", 1);
    store.channel("films", "ants", 5, false, "VOD");
    store.channel("FILMS", "Mars", 2);
    store.channel("Films", "MARS ", 4); // the same name to the store: position decides
    store.db.exec("UPDATE Playlist SET parent_code = 1234 WHERE name = 'Mars'");

    ChannelGridModel model(store.db);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.showGroup("Films");
    EXPECT_EQ(column(model, ChannelGridModel::kNameColumn),
              (std::vector<QString>{"Mars", "Zorro", "MARS ", "ants"}));
    EXPECT_EQ(column(model, ChannelGridModel::kTypeColumn),
              (std::vector<QString>{"Live", "Live", "Live", "VOD"}));
    EXPECT_EQ(model.data(model.index(0, ChannelGridModel::kLinkColumn)).toString(),
              "http://tv/Mars");
    EXPECT_EQ(model.broj(3), 5);
    EXPECT_EQ(model.grupa(3), "films");
    EXPECT_EQ(model.rowOfBroj(1), -1); // Alpha is in another group
    EXPECT_TRUE(model.hasParentCode());

    model.sort(ChannelGridModel::kNameColumn);
    EXPECT_TRUE(model.orderByName());
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"ants", "Mars", "MARS ", "Zorro"}));
    model.sort(ChannelGridModel::kLinkColumn);
    EXPECT_FALSE(model.orderByName());
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"Mars", "Zorro", "MARS ", "ants"}));
    // Only the display order changed.
    EXPECT_EQ(store.column("Playlist", "broj"), (std::vector<std::int64_t>{3, 1, 5, 2, 4}));

    model.showGroup("Other");
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"Alpha"}));
    EXPECT_FALSE(model.hasParentCode());
    model.showAll();
    EXPECT_FALSE(model.group());
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"Alpha", "Mars", "Zorro", "MARS ", "ants"}));
    model.setOrderByName(true);
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"Alpha", "ants", "Mars", "MARS ", "Zorro"}));
    model.showGroupByPosition("Films");
    EXPECT_FALSE(model.orderByName());
    EXPECT_EQ(column(model, 1), (std::vector<QString>{"Mars", "Zorro", "MARS ", "ants"}));
}

TEST_F(GridModels, PagesAreReadOnDemandAcrossPageBoundaries)
{
    // Rows inserted in reverse position order, so that display order differs from row ids.
    const int count = RowPages::kPageSize * static_cast<int>(RowPages::kCachedPages + 3) + 17;
    store.group("Big", 1);
    store.group("Small", 2);
    {
        store::Transaction tx(store.db);
        for (int i = count; i >= 1; --i) {
            store.channel(i % 5 == 0 ? "Small" : "Big", "C" + std::to_string(i), i);
        }
        tx.commit();
    }
    ChannelGridModel model(store.db);
    model.showAll();
    ASSERT_EQ(model.rowCount(), count);
    // Random jumps first (more pages than the cache holds), then one full pass.
    std::mt19937 random(7);
    for (int n = 0; n < 200; ++n) {
        const int row = static_cast<int>(random() % static_cast<unsigned>(count));
        ASSERT_EQ(model.text(row, 2).toStdString(), "C" + std::to_string(row + 1)) << row;
    }
    for (int row = 0; row < count; ++row) {
        ASSERT_EQ(model.broj(row), row + 1) << row;
    }
    EXPECT_EQ(model.rowOfBroj(700), 699);

    // A command changes values only: refreshValues() shows them without a reload.
    store.db.exec("UPDATE Playlist SET name = 'renamed' WHERE broj IN (1, 2000)");
    EXPECT_EQ(model.text(1999, 2), "C2000");
    model.refreshValues();
    EXPECT_EQ(model.text(1999, 2), "renamed");
    EXPECT_EQ(model.text(2, 2), "C3");

    // Another connection writing (the loading window's worker) does not hold up the reading.
    store::Database writer = store::Schema::open(folder.file("data.mdb"));
    writer.exec("BEGIN IMMEDIATE; UPDATE Playlist SET name = 'pending' WHERE broj = 3");
    model.refreshValues();
    EXPECT_EQ(model.text(2, 2), "C3");
    writer.exec("COMMIT");

    model.showGroup("Small");
    ASSERT_EQ(model.rowCount(), count / 5);
    for (int row = 0; row < model.rowCount(); ++row) {
        ASSERT_EQ(model.broj(row), (row + 1) * 5) << row;
    }
}

// The plan of each grid query: the lookups go through an index and no query sorts rows it read
// (except the name order, which sorts one group's rows). A change of the queries or of the
// indexes that turns them into scans of the whole table fails here.
std::string queryPlan(const store::Database& db, const std::string& sql)
{
    store::Statement st = db.prepare("EXPLAIN QUERY PLAN " + sql);
    if (sql.find('?') != std::string::npos) {
        st.bind(1, std::string("G1"));
    }
    std::string plan;
    while (st.step()) {
        plan += st.columnText(3) + "\n";
    }
    return plan;
}

TEST_F(GridModels, GridQueriesUseTheIndexes)
{
    store.fill({3, 4});
    // The index each query must use, and whether it must not sort rows it read.
    const std::tuple<const char*, const char*, bool> expected[] = {
        {ChannelGridModel::kGroupByPositionSql,
         "SEARCH Playlist USING COVERING INDEX Playlist_grupa_broj (grupa=?)", true},
        {ChannelGridModel::kGroupNamesSql,
         "SEARCH Playlist USING INDEX Playlist_grupa_broj (grupa=?)", false},
        {ChannelGridModel::kAllByPositionSql, "USING COVERING INDEX Playlist_broj", true},
        {GroupGridModel::kRowIdSql, "USING COVERING INDEX Grupa_type_broj", true},
        {ChannelGridModel::kRowSql, "USING INTEGER PRIMARY KEY (rowid=?)", false},
        {GroupGridModel::kRowSql, "USING INTEGER PRIMARY KEY (rowid=?)", false}};
    for (const auto& [sql, index, noSort] : expected) {
        const std::string plan = queryPlan(store.db, sql);
        EXPECT_NE(plan.find(index), std::string::npos) << plan;
        EXPECT_TRUE(!noSort || plan.find("TEMP B-TREE") == std::string::npos) << plan;
    }
}

} // namespace
} // namespace listrion::editing
