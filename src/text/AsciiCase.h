#pragma once

#include <algorithm>
#include <string_view>

namespace listrion::text {

// Equality of names that ignores the letter case of A to Z, as INI section and key names and
// the file names of the language files are compared.
inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace listrion::text
