#include "playlist/TextDecoding.h"

namespace listrion::playlist {
std::string DecodeUtf8Text(std::string_view text, const Codepage& codepage)
{
    if (text.empty()) {
        return {};
    }
    return decodePercentUtf8(codepage.encode(text));
}

std::string FoldDiacritics(std::string_view text)
{
    // All ten letters are two-byte sequences led by 0xC4 or 0xC5.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead == 0xC4 || lead == 0xC5) && i + 1 < text.size()) {
            const unsigned code =
                ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            char folded = 0;
            switch (code) {
            case 0x010D:
            case 0x0107:
                folded = 'c';
                break;
            case 0x010C:
            case 0x0106:
                folded = 'C';
                break;
            case 0x0161:
                folded = 's';
                break;
            case 0x0160:
                folded = 'S';
                break;
            case 0x017E:
                folded = 'z';
                break;
            case 0x017D:
                folded = 'Z';
                break;
            case 0x0111:
                folded = 'd';
                break;
            case 0x0110:
                folded = 'D';
                break;
            default:
                break;
            }
            if (folded != 0 && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
                out.push_back(folded);
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace listrion::playlist
