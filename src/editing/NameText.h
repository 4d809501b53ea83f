#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace listrion::editing {

// The text rules of the group and channel name tools, on UTF-8 text, one character per code
// point. Letter case follows Unicode's default mappings, the same on every machine.
namespace NameText {

// A case-sensitive token repair of the capitalisation: every `from` becomes `to`.
using TokenRepair = std::pair<std::string_view, std::string_view>;

// The repairs of group names, in the order they are applied.
inline constexpr TokenRepair kGroupTokens[] = {{" Sd", " SD"},  {" Hd", " HD"}, {"Fhd", "FHD"},
                                               {"Tv ", "TV "},  {" Tv", " TV"}, {"4k", "4K"},
                                               {"Hevc", "HEVC"}};
// The repairs of channel names and tvg-names.
inline constexpr TokenRepair kChannelTokens[] = {
    {" Sd", " SD"}, {" Hd", " HD"}, {"Fhd", "FHD"},   {"Uhd", "UHD"}, {"Hevc", "HEVC"},
    {"Tv ", "TV "}, {" Tv", " TV"}, {"Rtv ", "RTV "}, {"4k", "4K"},   {"HDr", "HDR"}};

// Number of characters (code points).
std::size_t length(std::string_view text);
std::string upperCase(std::string_view text);
// The first letter of every word upper case, the other letters lower case; words are separated
// by white space.
std::string properCase(std::string_view text);

// The three passes of the capitalisation: proper case; then a name shorter than four
// characters entirely upper case, else its first two characters when the third is a blank and
// its first three when the fourth is one (country codes); then the token repairs in order.
std::string capitalize(std::string_view text, std::span<const TokenRepair> tokens);

// The second pass alone, deciding by `decider` and applying to `text` (the channel tool decides
// by the name and applies to both the name and the tvg-name).
std::string upperCountryCode(std::string_view text, std::string_view decider);

// Every occurrence of `from` replaced by `to`, from the left, case-sensitive.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

std::string withoutLeadingBlanks(std::string_view text);
std::string withoutOuterBlanks(std::string_view text);

// The name-stripping rules. Each gives the new name, or the empty text when the rule does not
// apply (the separators are missing) or would leave nothing.
// Text after the first '|'.
std::string afterPipe(std::string_view name);
// The first part from `open` to the next `close` removed, with the blanks around it joined.
std::string withoutBracketPart(std::string_view name, char open, char close);
// Text right of the first ':' (a later ':' dropped).
std::string afterColon(std::string_view name);

} // namespace NameText
} // namespace listrion::editing
