#include "playlist/LineText.h"

#include <cstring>

namespace listrion::playlist::LineText {

std::size_t findAnyCase(std::string_view text, std::string_view lowerNeedle)
{
    constexpr std::size_t kNowhere = std::string_view::npos;
    const std::size_t n = lowerNeedle.size();
    if (n == 0) {
        return 0;
    }
    if (text.size() < n) {
        return kNowhere;
    }
    const std::size_t last = text.size() - n;
    // A needle that starts with a non-letter (such as "#extinf:") lets memchr find candidates.
    const char first = lowerNeedle.front();
    const bool firstIsLetter = first >= 'a' && first <= 'z';
    for (std::size_t at = 0; at <= last; ++at) {
        if (!firstIsLetter) {
            const void* hit = std::memchr(text.data() + at, first, last - at + 1);
            if (hit == nullptr) {
                return kNowhere;
            }
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        }
        std::size_t i = 0;
        while (i < n && asciiLower(text[at + i]) == lowerNeedle[i]) {
            ++i;
        }
        if (i == n) {
            return at;
        }
    }
    return kNowhere;
}

LineKind lineKind(std::string_view line)
{
    if (containsAnyCase(line, "#extinf:")) {
        return LineKind::Extinf;
    }
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return LineKind::Blank;
    }
    return line[first] == '#' ? LineKind::Comment : LineKind::Other;
}

} // namespace listrion::playlist::LineText
