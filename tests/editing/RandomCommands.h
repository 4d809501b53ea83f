#pragma once
// Random editing commands on a store, for the property tests.

#include "editing/ChannelCommands.h"
#include "editing/ChannelEntry.h"
#include "editing/ChannelNameTools.h"
#include "editing/GroupCommands.h"
#include "editing/GroupNameTools.h"
#include "store/BlockMoves.h"
#include "store/SelectedSteps.h"
#include "support/PlaylistStore.h"

#include <random>
#include <string>

namespace listrion::test {

class RandomCommands {
public:
    RandomCommands(PlaylistStore& s, unsigned seed) : m_s(s), m_random(seed) {}

    // One random command; returns its name for the failure message.
    std::string step()
    {
        const std::vector<std::string> groups = m_s.groups();
        if (groups.empty() || channel() == 0) {
            editing::addChannel(m_s.db, {"Fresh", "F" + std::to_string(m_next++), "", "", "",
                                         "http://f", "Live", ""});
            return "add a channel to a new group";
        }
        const std::string g = pick(groups);
        const std::string h = pick(groups);
        tickSome();
        switch (number(0, 11)) {
        case 0:
            editing::moveChannelTo(m_s.db, channel(),
                                   number(0, 1) ? editing::ChannelEnd::Top
                                                : editing::ChannelEnd::Bottom);
            return "move a channel to an end";
        case 1:
            editing::deleteChannels(m_s.db, editing::ChannelSelection::one(channel()),
                                    number(0, 1) ? editing::EmptiedGroup::Keep
                                                 : editing::EmptiedGroup::Remove);
            return "delete a channel";
        case 2:
            editing::deleteChannelRenumberingAll(m_s.db, channel());
            return "delete a channel with the Delete key";
        case 3:
            editing::moveChannelsToGroup(m_s.db, editing::ChannelSelection::one(channel()), h,
                                         number(0, 1) ? std::optional<std::string>(g)
                                                      : std::nullopt);
            return "move a channel to " + h;
        case 4:
            editing::moveChannelsToGroup(m_s.db,
                                         number(0, 1) ? editing::ChannelSelection::tickedIn(g)
                                                      : editing::ChannelSelection::allTicked(),
                                         h, std::optional<std::string>(g));
            return "move ticked channels to " + h;
        case 5:
            editing::copyChannelsToGroup(m_s.db,
                                         number(0, 1) ? editing::ChannelSelection::one(channel())
                                                      : editing::ChannelSelection::tickedIn(g),
                                         h);
            return "copy channels to " + h;
        case 6:
            editing::renameGroup(m_s.db, g, h, editing::OnMerge::Merge);
            return "rename " + g + " to " + h;
        case 7:
            editing::deleteGroup(m_s.db, g,
                                 number(0, 1) ? editing::GroupGaps::ByPosition
                                              : editing::GroupGaps::ByTypeAndPosition);
            return "delete group " + g;
        case 8:
            number(0, 1) ? store::Premakni_Sve_Na_Vrh(m_s.db, g)
                         : store::Premakni_Sve_Na_Dno(m_s.db, g);
            return "block move in " + g;
        case 9:
            number(0, 1) ? store::Pozicija_Nova_Gore_Sve(m_s.db, g)
                         : store::Pozicija_Nova_Dole_Sve(m_s.db, g);
            return "ticked step in " + g;
        case 10:
            editing::applyChannelNameEdit(
                m_s.db,
                {number(0, 1) ? editing::ChannelNameTool::Upper : editing::ChannelNameTool::Replace,
                 ".", " ", true, number(0, 1) == 1},
                number(0, 1) ? std::optional<std::string>(g) : std::nullopt);
            return "channel names in " + g;
        default:
            editing::applyGroupNameEdit(m_s.db, {editing::GroupNameTool::Replace, "G1", "G2"},
                                        editing::OnMerge::Merge);
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

    PlaylistStore& m_s;
    std::mt19937 m_random;
    int m_next = 1;
};

} // namespace listrion::test
