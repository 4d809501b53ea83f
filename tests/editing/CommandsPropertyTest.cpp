// Random sequences of editing commands on a generated store: after every step the store keeps
// its rules (one row per group name, counts right, channel numbers unique and one range per
// group, group positions 1..n), whatever the commands and their order.
#include "editing/ChannelCommands.h"
#include "editing/ChannelEntry.h"
#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "editing/GroupNameTools.h"
#include "store/BlockMoves.h"
#include "store/SelectedSteps.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace listrion::editing {
namespace {

class RandomCommands {
public:
    RandomCommands(test::PlaylistStore& s, unsigned seed) : m_s(s), m_random(seed) {}

    // One random command; returns its name for the failure message.
    std::string step()
    {
        const std::vector<std::string> groups = m_s.groups();
        if (groups.empty() || channel() == 0) {
            addChannel(m_s.db, {"Fresh", "F" + std::to_string(m_next++), "", "", "", "http://f",
                                "Live", ""});
            return "add a channel to a new group";
        }
        const std::string g = pick(groups);
        const std::string h = pick(groups);
        tickSome();
        switch (number(0, 10)) {
        case 0:
            moveChannelTo(m_s.db, channel(), number(0, 1) ? ChannelEnd::Top : ChannelEnd::Bottom);
            return "move a channel to an end";
        case 1:
            deleteChannels(m_s.db, ChannelSelection::one(channel()),
                           number(0, 1) ? EmptiedGroup::Keep : EmptiedGroup::Remove);
            return "delete a channel";
        case 2:
            deleteChannelRenumberingAll(m_s.db, channel());
            return "delete a channel with the Delete key";
        case 3:
            moveChannelsToGroup(m_s.db, ChannelSelection::one(channel()), h,
                                number(0, 1) ? std::optional<std::string>(g) : std::nullopt);
            return "move a channel to " + h;
        case 4:
            moveChannelsToGroup(m_s.db,
                                number(0, 1) ? ChannelSelection::tickedIn(g)
                                             : ChannelSelection::allTicked(),
                                h, std::optional<std::string>(g));
            return "move ticked channels to " + h;
        case 5:
            copyChannelsToGroup(
                m_s.db,
                number(0, 1) ? ChannelSelection::one(channel()) : ChannelSelection::tickedIn(g), h);
            return "copy channels to " + h;
        case 6:
            renameGroup(m_s.db, g, h, OnMerge::Merge);
            return "rename " + g + " to " + h;
        case 7:
            deleteGroup(m_s.db, g,
                        number(0, 1) ? GroupGaps::ByPosition : GroupGaps::ByTypeAndPosition);
            return "delete group " + g;
        case 8:
            number(0, 1) ? store::Premakni_Sve_Na_Vrh(m_s.db, g)
                         : store::Premakni_Sve_Na_Dno(m_s.db, g);
            return "block move in " + g;
        case 9:
            number(0, 1) ? store::Pozicija_Nova_Gore_Sve(m_s.db, g)
                         : store::Pozicija_Nova_Dole_Sve(m_s.db, g);
            return "ticked step in " + g;
        default:
            applyGroupNameEdit(m_s.db, {GroupNameTool::Replace, "G1", "G2"}, OnMerge::Merge);
            return "replace in group names";
        }
    }

private:
    int number(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
    std::string pick(const std::vector<std::string>& from)
    {
        return from[static_cast<std::size_t>(number(0, static_cast<int>(from.size()) - 1))];
    }
    std::int64_t channel()
    {
        return m_s.db.scalarInt("SELECT rowid FROM Playlist ORDER BY random() LIMIT 1", 0);
    }
    void tickSome() { m_s.db.exec("UPDATE Playlist SET izberi = (abs(random()) % 3 = 0)"); }

    test::PlaylistStore& m_s;
    std::mt19937 m_random;
    int m_next = 1;
};

TEST(CommandsProperty, RandomCommandsKeepTheStoreSound)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        test::TempFolder home;
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({4, 1, 6, 3, 2, 5, 1, 7, 2, 3, 12});
        s.recount();
        RandomCommands commands(s, seed);
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
