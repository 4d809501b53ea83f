#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion {
namespace {

TEST(CliEpgIds, DeriveReplaceAndClearWorkOnOneGroup)
{
    test::TempFolder home;
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({2, 1});
    }
    const auto ids = [&] {
        return test::PlaylistStore(home.file("data.mdb"))
            .texts("SELECT tvgid FROM Playlist ORDER BY broj");
    };
    EXPECT_EQ(test::runOneLine(home.path(), {"epg", "derive", "g1", "hr"}), "2 ids derived\n");
    EXPECT_EQ(test::runOneLine(home.path(), {"epg", "replace", "G1", "1.hr", "1.HR"}),
              "1 ids changed\n");
    EXPECT_EQ(ids(), (std::vector<std::string>{"g1.1.HR", "g1.2.hr", "ext"}));
    EXPECT_EQ(test::runOneLine(home.path(), {"epg", "clear", "G1"}), "2 ids cleared\n");
    EXPECT_EQ(ids(), (std::vector<std::string>{"ext", "ext", "ext"}));
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"epg", "derive", "G1", ""}, {"epg", "rename", "G1"}}) {
        EXPECT_EQ(test::runCli(home.path(), wrong).exitCode, 2);
    }
}

} // namespace
} // namespace listrion
