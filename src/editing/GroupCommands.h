#pragma once

#include "store/Database.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::editing {

// The commands on single groups: add, rename (merging into an existing group of that name when
// allowed), delete, move to the top or bottom, change the type. Each is one transaction; bad
// input is refused with EditRefused before anything changes. Group names are compared as the
// store compares them (any letter case, trailing blanks ignored).

// The stream types of groups and channels, in the order the lists offer them.
inline constexpr std::array<std::string_view, 3> kStreamTypes = {"Live", "VOD", "Radio"};

// Refuses an empty name or one longer than kMaxTextLength characters.
void checkGroupName(std::string_view name);
// Refuses an empty type and any type but the three.
void checkStreamType(std::string_view type);

// The stored spelling of the group of that name, if there is one.
std::optional<std::string> storedGroupName(const store::Database& db, std::string_view name);

// Add_Group: a new group at the end (position after the highest), with no channels. A name that
// a group already has is refused.
std::int64_t addGroup(store::Database& db, const std::string& name, const std::string& type);

// What a second name does to a group when it is renamed: another group may already have it.
enum class OnMerge { Refuse, Merge };

struct RenamedGroup {
    std::string name;          // the group's name afterwards
    std::int64_t channels = 0; // channels that now carry that name
    bool merged = false;       // the channels joined another group, whose row remains
};

// Edit_Group: the group row and every channel of the group get the new name. When another group
// already has that name, Refuse throws NeedsMerge and Merge moves the channels into that group,
// removes the renamed group's row, recounts, closes the gap in the group positions and numbers
// the channels afresh so that every group holds one range.
RenamedGroup renameGroup(store::Database& db, const std::string& from, const std::string& to,
                         OnMerge onMerge);

// How the group positions are closed up after a delete: by type and position, as the main
// window's delete commands do, or by position alone (the Delete key and the group editor).
enum class GroupGaps { ByTypeAndPosition, ByPosition };

struct DeletedGroups {
    std::int64_t groups = 0;
    std::int64_t channels = 0;
};

// The group and all its channels.
DeletedGroups deleteGroup(store::Database& db, const std::string& name, GroupGaps gaps);
// Every ticked group and its channels; nothing ticked deletes nothing.
DeletedGroups deleteTickedGroups(store::Database& db, GroupGaps gaps);

enum class GroupEnd { Top, Bottom };
// Moves the group before the first or after the last position, then numbers every group 1..n
// in position order. False when the group was there already (nothing changed).
bool moveGroupTo(store::Database& db, const std::string& name, GroupEnd end);

// The group and every channel of it get the type; the group keeps its position. Returns the
// number of channels.
std::int64_t setGroupType(store::Database& db, const std::string& name, const std::string& type);

// Stores the number of channels of each named group as its count.
void recountGroups(store::Database& db, const std::vector<std::string>& names);

} // namespace listrion::editing
