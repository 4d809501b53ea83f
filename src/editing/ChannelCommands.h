#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace listrion::editing {

// The commands that move, delete, move to another group and copy channels. Each is one
// transaction and leaves channel numbers unique, every group's channels in one unbroken range
// and the counts of the groups it touched right.

// The channels a command takes: one channel, the ticked channels of a group, or every ticked
// channel of the playlist.
struct ChannelSelection {
    enum class Kind { One, TickedInGroup, AllTicked };
    Kind kind = Kind::One;
    std::int64_t rowid = 0; // One
    std::string grupa;      // TickedInGroup

    static ChannelSelection one(std::int64_t rowid) { return {Kind::One, rowid, {}}; }
    static ChannelSelection tickedIn(std::string grupa)
    {
        return {Kind::TickedInGroup, 0, std::move(grupa)};
    }
    static ChannelSelection allTicked() { return {Kind::AllTicked, 0, {}}; }
};

enum class ChannelEnd { Top, Bottom };

// To the top: the channel takes the group's first number and the others follow it. To the
// bottom: the channel goes after the group's last channel and the group is numbered afresh from
// its lowest number as it was before the move. False when the channel was there already.
bool moveChannelTo(store::Database& db, std::int64_t rowid, ChannelEnd end);

// What happens to a group whose last channel is deleted.
enum class EmptiedGroup { Keep, Remove };

struct DeletedChannels {
    std::int64_t channels = 0;
    std::string grupa;         // the group they were deleted from
    bool groupRemoved = false; // it had no channel left and went too
};

// The delete button and menu entries: one channel or the ticked channels of a group go, the
// group's channels are numbered afresh from its lowest number before the delete and counted. A
// group left without channels stays (Keep) or goes, its position closed (Remove).
DeletedChannels deleteChannels(store::Database& db, const ChannelSelection& which,
                               EmptiedGroup emptied);
// The Delete key of the main window: the channel goes and every channel is numbered afresh.
DeletedChannels deleteChannelRenumberingAll(store::Database& db, std::int64_t rowid);

struct MovedChannels {
    std::int64_t channels = 0;
    bool sourceRemoved = false;
};

// The channels get the target group (ticks cleared), the target takes its count and the type of
// its first channel, and every channel is numbered afresh. When `removeIfEmptied` names a group
// that has no channel left afterwards, that group goes too.
MovedChannels moveChannelsToGroup(store::Database& db, const ChannelSelection& which,
                                  const std::string& target,
                                  const std::optional<std::string>& removeIfEmptied);

// Copies of the channels (without a type; with the attributes and option lines kept for the
// stream) go to the target group: a single copy after the target's last channel, ticked copies
// where their old numbers place them; then every tick is cleared and every channel numbered
// afresh. Returns the number of copies.
std::int64_t copyChannelsToGroup(store::Database& db, const ChannelSelection& which,
                                 const std::string& target);

// The group and row ids of the channels a selection takes, in position order.
std::vector<std::int64_t> selectedChannels(const store::Database& db,
                                           const ChannelSelection& which);

} // namespace listrion::editing
