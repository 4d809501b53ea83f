#include "playlist/ValueDecoder.h"

#include "playlist/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace listrion::playlist {
namespace {

bool isPlainAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

struct ByteSummary {
    bool high = false;    // a byte from 0x80 up
    bool percent = false; // a '%'
};

// Eight bytes at a time: a value is usually plain ASCII and only needs this one look.
ByteSummary summarize(std::string_view text)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kPercents = kOnes * static_cast<unsigned char>('%');
    std::uint64_t high = 0;
    std::uint64_t percent = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        high |= word;
        // Nonzero exactly when some byte of word equals '%'.
        const std::uint64_t x = word ^ kPercents;
        percent |= (x - kOnes) & ~x & kHighBits;
    }
    for (; i < text.size(); ++i) {
        high |= static_cast<unsigned char>(text[i]);
        percent |= text[i] == '%' ? 1u : 0u;
    }
    return {(high & kHighBits) != 0, percent != 0};
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
        if (m_codepage->isUtf8()) {
            if (!isWellFormedUtf8(text)) {
                text = m_codepage->decode(text);
            }
            return;
        }
        if (!isPlainAscii(text)) {
            std::string decoded;
            m_codepage->appendDecoded(decoded, text);
            text.swap(decoded);
        }
        return;
    }
    // Plain ASCII without '%' decodes to itself and holds no letter to fold.
    const ByteSummary bytes = summarize(text);
    if (!bytes.percent && !bytes.high) {
        return;
    }
    if (m_codepage->isUtf8()) {
        if (bytes.high && !isWellFormedUtf8(text)) {
            text = m_codepage->decode(text);
        }
        if (bytes.percent) {
            text = text::decodePercentEscapes(text);
        }
        foldDiacriticsInPlace(text);
        return;
    }
    // Without '%', well-formed UTF-8 decodes to itself; only the folding changes it.
    if (!bytes.percent && isWellFormedUtf8(text)) {
        foldDiacriticsInPlace(text);
        return;
    }
    text = FoldDiacritics(decodePercentUtf8(text));
}

} // namespace listrion::playlist
