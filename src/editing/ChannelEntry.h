#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace listrion::editing {

// The fields of one channel as the add and edit dialogs show them.
struct ChannelFields {
    std::string grupa;
    std::string name;
    std::string tvgname;
    std::string tvgid;
    std::string logo;
    std::string link;
    std::string type;
    std::string parentCode; // empty or "0": no code
};

// What is wrong with the fields of a channel, in the order the dialogs check: the group, the
// name, the link, the type, then the lengths and the parental code.
enum class ChannelProblem {
    None,
    NoGroup,
    NoName,
    NoLink,
    NoType,
    BadType,
    TooLong,
    CodeNotNumeric, // a parental code with anything but the digits 0-9
    CodeTooLong,    // five digits or more
    CodeTooShort,   // fewer than four digits
};

// The checks of a parental code typed by the user: four ASCII digits ("0000" included). The
// empty text and "0" mean no code and pass.
ChannelProblem checkParentCode(std::string_view code);
// The digits rule of a code that is given: digits only, exactly four of them.
ChannelProblem checkCodeDigits(std::string_view code);

// The first problem of the fields; `needGroup` is false for the edit dialog, whose group comes
// from the list of existing groups.
ChannelProblem checkChannel(const ChannelFields& fields, bool needGroup = true);

// An English text for a problem, for the command line.
std::string describe(ChannelProblem problem);

struct AddedChannel {
    std::int64_t rowid = 0;
    std::int64_t broj = 0;     // its position after the renumbering
    bool groupCreated = false; // the group did not exist and was added at the end
};

// Add_channel: the channel goes after the last channel of its group (position 0 in an empty
// group), a missing parental code is stored as 0 (no code), then the group's count is refreshed
// and every channel numbered afresh. A group name no group has yet makes a new group of the
// channel's type at the end of the list.
AddedChannel addChannel(store::Database& db, const ChannelFields& fields);

// The fields of the channel with that row id, or nothing when it is gone.
std::optional<ChannelFields> readChannel(const store::Database& db, std::int64_t rowid);

struct EditedChannel {
    bool moved = false; // the channel changed its group
    std::string from;   // its group before
};

// Edit_Channel: the channel gets every field; the group must exist. Within its group the
// group's channels are numbered again from the group's first number; after a move to another
// group every channel is numbered afresh and both groups are recounted.
EditedChannel editChannel(store::Database& db, std::int64_t rowid, const ChannelFields& fields);

} // namespace listrion::editing
