#include "playlist/ValueDecoder.h"

#include "playlist/TextDecoding.h"

#include <algorithm>

namespace listrion::playlist {
namespace {

bool isPlainAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

ValueDecoder::ValueDecoder(const Codepage& codepage, std::string_view region)
    : m_codepage(&codepage), m_regional(regionDecodes(region))
{
}

bool ValueDecoder::regionDecodes(std::string_view region)
{
    return region == "Balkan" || region == "Central European";
}

std::string ValueDecoder::plain(std::string_view bytes) const
{
    std::string out;
    plain(bytes, out);
    return out;
}

void ValueDecoder::plain(std::string_view bytes, std::string& out) const
{
    if (isPlainAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    out.clear();
    m_codepage->appendDecoded(out, bytes);
}

std::string ValueDecoder::regional(std::string_view bytes) const
{
    std::string text(bytes);
    regionalInPlace(text);
    return text;
}

void ValueDecoder::regionalInPlace(std::string& text) const
{
    if (!m_regional) {
        if (!isPlainAscii(text)) {
            std::string decoded;
            m_codepage->appendDecoded(decoded, text);
            text.swap(decoded);
        }
        return;
    }
    // Plain ASCII without '%' decodes to itself and holds no letter to fold.
    unsigned char bits = 0;
    bool percent = false;
    for (const char c : text) {
        bits |= static_cast<unsigned char>(c);
        percent |= c == '%';
    }
    if (!percent && bits < 0x80) {
        return;
    }
    // Without '%', well-formed UTF-8 decodes to itself; only the folding changes it.
    if (!percent && isWellFormedUtf8(text)) {
        foldDiacriticsInPlace(text);
        return;
    }
    text = FoldDiacritics(decodePercentUtf8(text));
}

} // namespace listrion::playlist
