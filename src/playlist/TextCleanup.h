#pragma once

#include <string>
#include <string_view>

namespace listrion::playlist {

// The clean-up of extracted values, on the raw bytes of the line: characters removed,
// decoration sequences replaced by "===", superscript words spelled out. Region decoding comes
// after it (ValueDecoder). The characters removed are given as windows-1250 text: a single-byte
// file loses those bytes; a UTF-8 file loses the characters they stand for (© „ ą ¨ Ř), whole,
// and never a byte inside another character.
namespace TextCleanup {

enum class Encoding { SingleByte, Utf8 };

enum class Field {
    Name,    // GetChannelName: also removes the byte D8
    Name2,   // GetChannelName2
    TvgName, // GetTvgName
    Group,   // GetGroupTitle: also spells out " VIP" and " terugkijken"
};

std::string clean(std::string_view bytes, Field field, Encoding encoding = Encoding::SingleByte);
// The same into `out`, reusing its storage.
void clean(std::string_view bytes, Field field, std::string& out,
           Encoding encoding = Encoding::SingleByte);

// The tvg-id's own clean-up: removes "tvg-id=", the double quote, every capital I, the byte A9
// (©), the first four decoration sequences, the square brackets, the apostrophe and the byte
// 84 („).
std::string cleanTvgId(std::string_view bytes, Encoding encoding = Encoding::SingleByte);

// Replaces every occurrence of `from` in one pass from the left, like a text Replace.
void replaceAll(std::string& text, std::string_view from, std::string_view to);

} // namespace TextCleanup
} // namespace listrion::playlist
