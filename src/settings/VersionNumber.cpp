#include "settings/VersionNumber.h"

#include "listrion/Version.h"

#include <limits>

namespace listrion::settings {
namespace {

// The leading whole number of `part`; 0 when it starts with none. Numbers too long for a long
// long stop at its largest value, so a huge part still compares as huge.
long long leadingNumber(std::string_view part)
{
    std::size_t i = part.find_first_not_of(' ');
    if (i == std::string_view::npos) {
        return 0;
    }
    const bool negative = part[i] == '-';
    if (part[i] == '-' || part[i] == '+') {
        ++i;
    }
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i) {
        const int digit = part[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

VersionNumber VersionNumber::parse(std::string_view text)
{
    VersionNumber version;
    for (long long& part : version.parts) {
        const std::size_t dot = text.find('.');
        part = leadingNumber(text.substr(0, dot));
        if (dot == std::string_view::npos) {
            break;
        }
        text.remove_prefix(dot + 1);
    }
    return version;
}

VersionNumber VersionNumber::own()
{
    return {{kVersionMajor, kVersionMinor, kVersionRevision}};
}

std::string VersionNumber::dotted() const
{
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]);
}

int CompareVersions2(std::string_view a, std::string_view b)
{
    const VersionNumber x = VersionNumber::parse(a);
    const VersionNumber y = VersionNumber::parse(b);
    for (std::size_t i = 0; i < x.parts.size(); ++i) {
        if (x.parts[i] != y.parts[i]) {
            return x.parts[i] > y.parts[i] ? 1 : -1;
        }
    }
    return 0;
}

} // namespace listrion::settings
