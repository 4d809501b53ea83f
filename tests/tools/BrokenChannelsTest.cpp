#include "tools/BrokenChannels.h"

#include "store/SqlError.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion::tools {
namespace {

using Names = std::vector<std::string>;
using Numbers = std::vector<std::int64_t>;

TEST(BrokenChannels, DeletionRecountsRemovesEmptiedGroupsAndRenumbersInOneTransaction)
{
    test::TempFolder folder;
    test::PlaylistStore store(folder.file("data.mdb"));
    store.fill({2, 3, 1});
    store.group("Empty before", 4);
    store.db.exec("UPDATE Playlist SET izberi = 1 WHERE name IN ('G1.2', 'G2.1', 'G2.3', 'G3.1')");

    // A failure in the middle (here while renumbering) leaves everything as it was.
    store.db.exec("CREATE TEMP TRIGGER refuse BEFORE UPDATE OF broj ON Playlist "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(deleteBrokenChannels(store.db), store::SqlError);
    EXPECT_EQ(store.names().size(), 6u);
    EXPECT_EQ(store.groups(), (Names{"G1", "G2", "G3", "Empty before"}));
    store.db.exec("DROP TRIGGER refuse");

    BrokenDeletion result = deleteBrokenChannels(store.db);
    std::sort(result.groups.begin(), result.groups.end());
    EXPECT_EQ(result.channels, 4);
    EXPECT_EQ(result.groupsRemoved, 1);
    EXPECT_EQ(result.groups, (Names{"G1", "G2", "G3"}));
    EXPECT_EQ(store.groups(), (Names{"G1", "G2", "Empty before"}));
    EXPECT_EQ(store.column("Grupa", "broj"), (Numbers{1, 2, 3}));
    EXPECT_EQ(store.column("Grupa", "count"), (Numbers{1, 1, 0}));
    EXPECT_EQ(store.names(), (Names{"G1.1", "G2.2"}));
    EXPECT_EQ(store.column("Playlist", "broj"), (Numbers{1, 2}));

    // Nothing ticked: nothing changes.
    const BrokenDeletion none = deleteBrokenChannels(store.db);
    EXPECT_EQ(none.channels, 0);
    EXPECT_EQ(store.names().size(), 2u);
}

} // namespace
} // namespace listrion::tools
