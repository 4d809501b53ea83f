#include "playlist/LineText.h"

#include <cstring>

namespace listrion::playlist::LineText {

bool containsAnyCase(std::string_view text, std::string_view lowerNeedle)
{
    const std::size_t n = lowerNeedle.size();
    if (n == 0) {
        return true;
    }
    if (text.size() < n) {
        return false;
    }
    const std::size_t last = text.size() - n;
    // A needle that starts with a non-letter (such as "#extinf:") lets memchr find candidates.
    const char first = lowerNeedle.front();
    const bool firstIsLetter = first >= 'a' && first <= 'z';
    for (std::size_t at = 0; at <= last; ++at) {
        if (!firstIsLetter) {
            const void* hit = std::memchr(text.data() + at, first, last - at + 1);
            if (hit == nullptr) {
                return false;
            }
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        }
        std::size_t i = 0;
        while (i < n && asciiLower(text[at + i]) == lowerNeedle[i]) {
            ++i;
        }
        if (i == n) {
            return true;
        }
    }
    return false;
}

} // namespace listrion::playlist::LineText
