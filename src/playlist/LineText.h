#pragma once

#include <string_view>

namespace listrion::playlist::LineText {

// Small byte-level helpers of the reader. "Blanks" are spaces.

inline std::string_view trimLeading(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

inline std::string_view trimTrailing(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

inline std::string_view trim(std::string_view text)
{
    return trimTrailing(trimLeading(text));
}

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Where `text` first contains `lowerNeedle` without regard to ASCII letter case; npos if nowhere.
std::size_t findAnyCase(std::string_view text, std::string_view lowerNeedle);

inline bool containsAnyCase(std::string_view text, std::string_view lowerNeedle)
{
    return findAnyCase(text, lowerNeedle) != std::string_view::npos;
}

// What a line is to the reading loop. A blank or comment line between an #EXTINF: line and its
// address neither completes nor drops the pending entry; every other line is an address line.
enum class LineKind {
    Extinf,  // contains "#EXTINF:" in any letter case
    Blank,   // nothing but spaces
    Comment, // begins with '#' after leading spaces: #EXTVLCOPT:, #KODIPROP:, #EXTGRP:, ...
    Other,
};

LineKind lineKind(std::string_view line);

} // namespace listrion::playlist::LineText
