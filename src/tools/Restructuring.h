#pragma once

#include "tools/RestructuringRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// The regional restructuring: a large playlist cut down to the chosen groups and rebuilt by
// the rule tables of izdvoji.mdb (RestructuringRules). Group names are compared as the store
// compares them (any letter case, trailing blanks ignored).

// The steps, each inside the caller's transaction.

// Izbrisi_Skupine: every group and channel outside the chosen groups goes; with no chosen group
// nothing goes. Returns the number of channels deleted.
std::int64_t Izbrisi_Skupine(store::Database& db, const std::vector<std::string>& chosen);
// Kreiraj_Nove_Skupine: each new name becomes a Live group after the last position. A name
// that a group has already is passed over. Returns the number of groups added.
std::int64_t Kreiraj_Nove_Skupine(store::Database& db, const std::vector<std::string>& names);
// The group renaming: the group and its channels get the new name. When another group has that
// name already, the channels join it and the renamed group's row goes. Returns the number of
// groups renamed or joined.
std::int64_t renameGroups(store::Database& db,
                          const std::vector<std::pair<std::string, std::string>>& renames);
// Popravi_Grupe: the channel rules. A target group without a row gets one (Live, after the last
// position), so no channel is left without its group. Returns the number of channels changed.
std::int64_t Popravi_Grupe(store::Database& db, const std::vector<ChannelRule>& rules);

// DolociBroj: the fixed leading position of a keyword group (its name in lower case is one of
// "sport klub", "arena sport", "pink", ... "slovenija"), 1 to 11; 0 for any other name.
int DolociBroj(std::string_view name);
// RotirajStevilko: the group holding position `p` moves to the first free position after it up
// to 11, else to the first free one above 11. Returns the position it got, or nothing when no
// group held `p`.
std::optional<std::int64_t> RotirajStevilko(store::Database& db, std::int64_t p);
// The group takes position `p`, after its holder has been moved away.
void placeKeywordGroup(store::Database& db, std::string_view name, std::int64_t p);
// Odredi_Brojeve_Skupina and PopraviZaporedje: the keyword groups present lead the list in
// keyword order, the other groups follow in their order, numbered 1..n.
void Odredi_Brojeve_Skupina(store::Database& db);

// Odstrani_Prvi_Parameter: the name without a provider prefix ("HR | Name", "(HR) Name",
// "HR: Name", "[HR] Name"), each rule tried on the result of the one before; nothing when no
// rule leaves a text.
std::optional<std::string> Odstrani_Prvi_Parameter(std::string_view name);
// Capitalize_Text: a channel's name and tvg-name in proper case, country codes and short names
// upper case (decided by the name), and the tokens SD, HD, FHD, UHD, HEVC, TV, RTV, 4K and HDR.
std::pair<std::string, std::string> Capitalize_Text(std::string_view name,
                                                    std::string_view tvgname);
// Both on every channel, in one pass. Returns the number of channels changed.
std::int64_t tidyChannelNames(store::Database& db);

// The commands, each one transaction and one history step.

struct RestructuringResult {
    std::int64_t channelsDeleted = 0;
    std::int64_t groupsAdded = 0;
    std::int64_t groupsRenamed = 0;
    std::int64_t channelsMoved = 0;
    std::int64_t namesTidied = 0;
    std::string backup; // the named backup of the restructured playlist
};
// cmdOK: keep the chosen groups, add the new ones, renumber, rename, apply the channel rules,
// place the keyword groups and close the gaps, recount, keep a named backup, then strip the
// prefixes and capitalise every channel name.
RestructuringResult restructure(store::Database& db, const RestructuringRules& rules);
// cmdPopravi_Grupe: the channel rules alone.
std::int64_t applyChannelRules(store::Database& db, const RestructuringRules& rules);
// cmdPopravi_Imena: the group renaming, then the new groups. Returns the groups renamed and
// added.
std::pair<std::int64_t, std::int64_t> renameAndAddGroups(store::Database& db,
                                                         const RestructuringRules& rules);

} // namespace listrion::tools
