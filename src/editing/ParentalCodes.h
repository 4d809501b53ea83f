#pragma once

#include "editing/ChannelEntry.h"
#include "store/Database.h"

#include <optional>
#include <string>
#include <string_view>

namespace listrion::editing {

// A group's parental code: four digits that every channel of the group carries and the saved
// playlist writes as its parent-code attribute.

// The checks of a code typed for a group, in order: digits 0-9 only, not five or more, not
// fewer than four. "0000" is a code.
ChannelProblem checkGroupParentCode(std::string_view code);

// Every channel of the group gets the code (refused with BadCode unless it passes the checks).
// Returns the number of channels.
std::int64_t setGroupParentCode(store::Database& db, const std::string& grupa,
                                const std::string& code);

// Every channel of the group loses its code. False (nothing changed) when none had one.
bool removeGroupParentCode(store::Database& db, const std::string& grupa);

// The code of the group's first channel (in position order) that has one.
std::optional<std::string> groupParentCode(const store::Database& db, const std::string& grupa);

} // namespace listrion::editing
