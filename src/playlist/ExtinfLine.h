#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace listrion::playlist {

// The attribute keys of one #EXTINF: line, located by a single pass over its '=' signs. The
// line is the file's bytes (one character per byte, or UTF-8); every key is found at its first
// occurrence, like a plain substring search, with or without regard to letter case as each
// key requires. A key that begins after character 32,767 of its line is not found: the
// positions were 16-bit values.
class ExtinfLine {
public:
    enum class Key {
        GroupTitle,    // "group-title=", any case
        TvgNameQuoted, // "tvg-name=" directly followed by a double quote, exact case
        TvgName,       // "tvg-name=", any case
        TvgId,         // "tvg-id=", any case
        TvgLogo,       // "tvg-logo=", exact case
        ParentCode,    // "parent-code=", any case
        Radio,         // "radio=", any case
    };
    static constexpr std::size_t kKeyCount = 7;
    static constexpr std::size_t kNotFound = std::string_view::npos;
    // Last 0-based position at which a key may begin (character 32,767).
    static constexpr std::size_t kLastKeyPosition = 32766;

    // `utf8`: the line is UTF-8, so its characters, not its bytes, count for the 32,767.
    explicit ExtinfLine(std::string_view line, bool utf8 = false);

    std::string_view text() const { return m_line; }
    // 0-based position where the key begins, kNotFound when it is absent.
    std::size_t find(Key key) const { return m_found[static_cast<std::size_t>(key)]; }
    // 0-based position of the key's '=' sign, kNotFound when it is absent.
    std::size_t equalsSign(Key key) const;
    // How many '=' signs the line holds; nothing when the scan stopped before the end of the
    // line (every key found, or a line longer than the keys' reach).
    std::optional<std::size_t> equalsSignCount() const;
    // The bytes from the second character after the key (the first is taken to be the opening
    // double quote) to the next double quote; nothing when the key or that quote is missing.
    std::optional<std::string_view> value(Key key) const;

private:
    void scan();

    std::string_view m_line;
    std::size_t m_lastKeyPosition = kLastKeyPosition; // in bytes
    std::array<std::size_t, kKeyCount> m_found;
    std::size_t m_equalsSigns = 0;
    bool m_sawEveryEqualsSign = false;
};

} // namespace listrion::playlist
