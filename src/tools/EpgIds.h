#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace listrion::tools {

// EPG ids of the channels of one group: derived from the channel names and a country code,
// cleared to "ext", or rewritten by text replacement; and the cleaning of channel names into
// search texts for an EPG provider's channel directory. Texts are UTF-8.

// The key a channel name gives: quality and country suffixes removed, spaces and "-" gone, "&"
// spelled "and", lower case with the Latin letters with carons and strokes plain, cut before
// the first "(".
std::string epgKey(std::string_view name);

// Whether an id counts as none: empty, "null" or "ext" in any letter case.
bool lacksEpgId(std::string_view tvgid);

// The tvg-name with its quality marks and bracketed country suffixes removed.
std::string cleanedEpgTvgName(std::string_view tvgname);

// The search text shown for a channel name when it becomes the current row.
std::string lookupText(std::string_view name);
// The search text cleaned once more before the lookup, and the lookup page's address for it
// (spaces become "+").
std::string onlineLookupText(std::string_view text);
std::string lookupAddress(std::string_view text);
// The page listing the country codes.
std::string countryCodesAddress();

struct DerivedEpgIds {
    std::int64_t ids = 0;      // channels that had no id and got one
    std::int64_t tvgNames = 0; // tvg-names cleaned
};

// Every channel of the group without an id gets epgKey(name) + "." + code, and every tvg-name
// of the group is cleaned; other ids stay. One transaction. An empty code changes nothing.
DerivedEpgIds deriveEpgIds(store::Database& db, const std::string& group, const std::string& code);

// Every channel of the group gets the id "ext". One transaction; returns the ids changed.
std::int64_t clearEpgIds(store::Database& db, const std::string& group);

// Every occurrence of `find` in the ids of the group's channels (letter case counts) becomes
// `replacement`. One transaction; returns the ids changed. An empty `find` changes nothing.
std::int64_t replaceInEpgIds(store::Database& db, const std::string& group, const std::string& find,
                             const std::string& replacement);

} // namespace listrion::tools
