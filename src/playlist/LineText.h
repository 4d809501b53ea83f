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

// True when `text` contains `lowerNeedle` without regard to ASCII letter case.
bool containsAnyCase(std::string_view text, std::string_view lowerNeedle);

} // namespace listrion::playlist::LineText
