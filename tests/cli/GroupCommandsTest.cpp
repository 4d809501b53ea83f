#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace listrion {
namespace {

using Names = std::vector<std::string>;

class CliGroups : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({2, 3, 1});
        s.recount();
    }
    std::string ok(const std::vector<std::string>& args)
    {
        return test::runOneLine(home.path(), args);
    }
    // A refused command: one line on stderr, exit 1, the store unchanged.
    std::string fails(const std::vector<std::string>& args)
    {
        const Names before = store().names();
        const std::string err = test::runOneLine(home.path(), args, 1);
        EXPECT_EQ(store().names(), before);
        return err;
    }
    test::PlaylistStore store() { return test::PlaylistStore(home.file("data.mdb")); }

    test::TempFolder home;
};

TEST_F(CliGroups, AddRenameMergeAndDeleteKeepOneRowPerName)
{
    EXPECT_EQ(ok({"add-group", "Rock 'n' Roll", "--type", "Radio"}),
              "added group 'Rock 'n' Roll' (Radio) at position 4\n");
    EXPECT_EQ(fails({"add-group", "rock 'N' roll"}),
              "listrion-cli: there is already a group 'rock 'N' roll'\n");
    fails({"add-group", "X", "--type", "Music"});
    EXPECT_EQ(ok({"rename-group", "G1", "%_*?["}), "renamed group 'G1' to '%_*?[' (2 channels)\n");
    fails({"rename-group", "G3", "g2"});
    EXPECT_EQ(ok({"rename-group", "G3", "g2", "--merge"}),
              "merged group 'G3' into 'G2' (4 channels)\n");
    EXPECT_EQ(ok({"delete-group", "%_*?["}), "deleted group '%_*?[' and its 2 channels\n");
    EXPECT_EQ(ok({"group-type", "g2", "VOD"}),
              "set the type of group 'g2' and its 4 channels to VOD\n");
    EXPECT_EQ(ok({"tick", "groups", "--group", "G2"}), "ticked 1 groups\n");
    EXPECT_EQ(ok({"delete-groups", "--ticked"}), "deleted 1 ticked groups and their 4 channels\n");
    EXPECT_EQ(store().groups(), (Names{"Rock 'n' Roll"}));
    EXPECT_TRUE(store().problems().empty());
}

TEST_F(CliGroups, NameToolsNeedTicksForPrefixesAndMergeOnlyWhenAsked)
{
    EXPECT_EQ(fails({"group-names", "prefix", "UK"}), "listrion-cli: no group is ticked\n");
    ok({"tick", "groups", "--group", "G1"});
    EXPECT_EQ(ok({"group-names", "prefix", "UK:"}), "renamed 1 groups (2 channels, 0 merged)\n");
    ok({"untick", "groups", "--all"});
    EXPECT_EQ(store().groups(), (Names{"UK: G1", "G2", "G3"}));
    // "UK: G1" stripped is "G1"; renaming G2 to it first makes the strip a merge.
    ok({"rename-group", "G2", "G1"});
    fails({"group-names", "strip"});
    EXPECT_EQ(ok({"group-names", "strip", "--merge"}), "renamed 1 groups (2 channels, 1 merged)\n");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_TRUE(store().problems().empty());
    test::runOneLine(home.path(), {"group-names", "replace", "x"}, 2);
}

TEST_F(CliGroups, StepsOfTheHistoryAreUndoneAndRedoneOneByOne)
{
    EXPECT_EQ(ok({"undo-step"}), "nothing to undo\n");
    ok({"delete-group", "G2"});
    ok({"rename-group", "G1", "First"});
    const test::CliResult listed = test::runCli(home.path(), {"history"});
    EXPECT_TRUE(listed.out.starts_with("2\tdone\t")) << listed.out;
    EXPECT_NE(listed.out.find("\trename-group G1 First\n1\tdone\t"), std::string::npos);
    EXPECT_EQ(ok({"undo-step"}), "undone: rename-group G1 First\n");
    EXPECT_EQ(ok({"undo-step"}), "undone: delete-group G2\n");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G3"}));
    EXPECT_EQ(ok({"redo-step"}), "redone: delete-group G2\n");
    ok({"add-group", "New"}); // ends what could be redone
    EXPECT_EQ(ok({"redo-step"}), "nothing to redo\n");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "New"}));
}

} // namespace
} // namespace listrion
