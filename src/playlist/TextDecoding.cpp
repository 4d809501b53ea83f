#include "playlist/TextDecoding.h"

#include <cstdint>

namespace listrion::playlist {
namespace {

// The ASCII letter that č ć š ž đ Č Ć Š Ž Đ fold to; 0 for any other code point.
char foldedLetter(unsigned code)
{
    switch (code) {
    case 0x010D:
    case 0x0107:
        return 'c';
    case 0x010C:
    case 0x0106:
        return 'C';
    case 0x0161:
        return 's';
    case 0x0160:
        return 'S';
    case 0x017E:
        return 'z';
    case 0x017D:
        return 'Z';
    case 0x0111:
        return 'd';
    case 0x0110:
        return 'D';
    default:
        return 0;
    }
}

} // namespace

std::string DecodeUtf8Text(std::string_view text, const Codepage& codepage)
{
    if (text.empty()) {
        return {};
    }
    // Text read from a UTF-8 file is characters already; only its escapes are left to decode.
    if (codepage.isUtf8()) {
        return text::decodePercentEscapes(text);
    }
    return decodePercentUtf8(codepage.encode(text));
}

std::string FoldDiacritics(std::string_view text)
{
    std::string out(text);
    foldDiacriticsInPlace(out);
    return out;
}

void foldDiacriticsInPlace(std::string& text)
{
    // All ten letters are two-byte sequences led by 0xC4 or 0xC5. A plain loop finds the first
    // lead byte in one pass (find_first_of searches the set once per byte).
    std::size_t at = 0;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xFEu) != 0xC4u) {
        ++at;
    }
    if (at == text.size()) {
        return;
    }
    std::size_t out = at;
    for (; at < text.size(); ++at) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if ((lead == 0xC4 || lead == 0xC5) && at + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[at + 1]);
            const char folded = foldedLetter(((lead & 0x1Fu) << 6) | (next & 0x3Fu));
            if (folded != 0 && (next & 0xC0) == 0x80) {
                text[out++] = folded;
                ++at;
                continue;
            }
        }
        text[out++] = text[at];
    }
    text.resize(out);
}

bool isWellFormedUtf8(std::string_view bytes)
{
    return text::isWellFormedUtf8(bytes);
}

} // namespace listrion::playlist
