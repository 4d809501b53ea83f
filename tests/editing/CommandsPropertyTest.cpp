// Random sequences of editing commands on a generated store: after every step the store keeps
// its rules (one row per group name, counts right, channel numbers unique and one range per
// group, group positions 1..n), whatever the commands and their order.
#include "RandomCommands.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

TEST(CommandsProperty, RandomCommandsKeepTheStoreSound)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        test::TempFolder home;
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({4, 1, 6, 3, 2, 5, 1, 7, 2, 3, 12});
        s.recount();
        test::RandomCommands commands(s, seed);
        for (int i = 0; i < 60; ++i) {
            const std::string what = commands.step();
            const std::vector<std::string> problems = s.problems();
            ASSERT_TRUE(problems.empty())
                << "seed " << seed << ", step " << i << " (" << what << "): " << problems.front();
        }
    }
}

} // namespace
} // namespace listrion::editing
