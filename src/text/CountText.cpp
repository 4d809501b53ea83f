#include "text/CountText.h"

namespace listrion::text {

std::string formatCount(std::int64_t value, char separator)
{
    const bool negative = value < 0;
    // Works on the unsigned magnitude so that the smallest int64 has a magnitude too.
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::string reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) {
            reversed.push_back(separator);
        }
        reversed.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (negative) {
        reversed.push_back('-');
    }
    return {reversed.rbegin(), reversed.rend()};
}

} // namespace listrion::text
