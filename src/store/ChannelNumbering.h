#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace listrion::store {

// Renumbering of channel positions (Playlist.broj). Each routine is one transaction and writes
// only the rows whose position changes; each returns the number of rows it wrote.

// Full renumbering: groups in position order (broj, then store order), and within each group
// its channels in position order, get one running number first, first + 1, ... (1, 2, 3, ...
// unless `first` is given). A group name that two group rows share is numbered at both places;
// the later one decides. Channels whose group has no group row keep their numbers.
std::int64_t Zapisi_Nove_Brojeve(Database& db, std::int64_t first = 1);

// The same over the groups at positions up to `lastGroup` only; the channels of later groups
// keep their numbers. Returns the number after the last one given.
struct LeadingGroupsRenumbered {
    std::int64_t next = 0;    // the number after the last one given
    std::int64_t written = 0; // rows whose position changed
};
LeadingGroupsRenumbered renumberLeadingGroups(Database& db, std::int64_t first,
                                              std::int64_t lastGroup);

// The channels of `grupa`, in position order, get start, start+1, ...; then the first group row
// of that name (store order) gets their count as `count`, 0 included.
struct ChannelsRenumbered {
    std::int64_t count = 0;   // channels of the group
    std::int64_t written = 0; // rows whose position or count changed
};
ChannelsRenumbered Zapisi_Nove_Brojeve_Channels(Database& db, std::string_view grupa,
                                                std::int64_t start);

// Sorting by name. For a group: its channels in name order are numbered from the group's lowest
// number, so the group keeps its range. Without a group (the editor's "All"): every channel, in
// (group name, channel name) order, gets 1..N.
std::int64_t Zapisi_Nove_Brojeve_Channels_Sort_By_Name(Database& db,
                                                       std::optional<std::string_view> grupa);

} // namespace listrion::store
