#include "playlist/ExtinfLine.h"

#include <cstring>

namespace listrion::playlist {
namespace {

struct KeySpec {
    std::string_view text; // lower case, ends with '='
    bool anyCase;
};

// Same order as ExtinfLine::Key. TvgNameQuoted is "tvg-name=" plus a check for the quote.
constexpr std::array<KeySpec, ExtinfLine::kKeyCount> kKeys = {{
    {"group-title=", true},
    {"tvg-name=", false},
    {"tvg-name=", true},
    {"tvg-id=", true},
    {"tvg-logo=", false},
    {"parent-code=", true},
    {"radio=", true},
}};

constexpr std::size_t kLongestKey = 12;
constexpr auto kQuotedKey = static_cast<std::size_t>(ExtinfLine::Key::TvgNameQuoted);

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// True when `key` ends at position `equals` (the '=' sign) of `line`.
bool endsAt(std::string_view line, std::size_t equals, const KeySpec& key)
{
    const std::size_t length = key.text.size();
    if (equals + 1 < length) {
        return false;
    }
    const char* start = line.data() + equals + 1 - length;
    if (!key.anyCase) {
        return std::memcmp(start, key.text.data(), length) == 0;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (asciiLower(start[i]) != key.text[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

ExtinfLine::ExtinfLine(std::string_view line, bool utf8) : m_line(line)
{
    if (utf8 && line.size() > kLastKeyPosition) {
        // The byte where character 32,767 begins (or past the end of a shorter line).
        std::size_t characters = 0;
        std::size_t at = 0;
        for (; at < line.size(); ++at) {
            if ((static_cast<unsigned char>(line[at]) & 0xC0u) != 0x80u &&
                characters++ == kLastKeyPosition) {
                break;
            }
        }
        m_lastKeyPosition = at;
    }
    m_found.fill(kNotFound);
    scan();
}

void ExtinfLine::scan()
{
    // Every key ends with '=', so the first occurrence of a key is the first '=' that ends it.
    std::size_t missing = kKeyCount;
    const std::size_t scanEnd = std::min(m_line.size(), m_lastKeyPosition + kLongestKey);
    const char* data = m_line.data();
    std::size_t at = 0;
    while (missing > 0 && at < scanEnd) {
        const void* hit = std::memchr(data + at, '=', scanEnd - at);
        if (hit == nullptr) {
            at = scanEnd;
            break;
        }
        ++m_equalsSigns;
        const auto equals = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        // The letter before '=' rules out most keys without comparing them whole.
        const char last = equals > 0 ? asciiLower(data[equals - 1]) : '=';
        for (std::size_t k = 0; k < kKeyCount; ++k) {
            if (m_found[k] != kNotFound || kKeys[k].text[kKeys[k].text.size() - 2] != last ||
                !endsAt(m_line, equals, kKeys[k])) {
                continue;
            }
            const std::size_t start = equals + 1 - kKeys[k].text.size();
            const bool quoted = equals + 1 < m_line.size() && m_line[equals + 1] == '"';
            if (start <= m_lastKeyPosition && (k != kQuotedKey || quoted)) {
                m_found[k] = start;
                --missing;
            }
        }
        at = equals + 1;
    }
    m_sawEveryEqualsSign = at >= m_line.size();
}

std::optional<std::size_t> ExtinfLine::equalsSignCount() const
{
    return m_sawEveryEqualsSign ? std::optional<std::size_t>(m_equalsSigns) : std::nullopt;
}

std::size_t ExtinfLine::equalsSign(Key key) const
{
    const std::size_t start = find(key);
    return start == kNotFound ? kNotFound
                              : start + kKeys[static_cast<std::size_t>(key)].text.size() - 1;
}

std::optional<std::string_view> ExtinfLine::value(Key key) const
{
    const std::size_t start = find(key);
    if (start == kNotFound) {
        return std::nullopt;
    }
    const std::size_t begin = start + kKeys[static_cast<std::size_t>(key)].text.size() + 1;
    if (begin >= m_line.size()) {
        return std::nullopt;
    }
    const std::size_t end = m_line.find('"', begin);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return m_line.substr(begin, end - begin);
}

} // namespace listrion::playlist
