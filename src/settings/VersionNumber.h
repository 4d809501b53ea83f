#pragma once

#include <array>
#include <string>
#include <string_view>

namespace listrion::settings {

// A program version as three whole numbers: major, minor, revision.
struct VersionNumber {
    std::array<long long, 3> parts{};

    // A version text cut at "." into at most three parts, anything from a third "." on left
    // out ("2.1.29.5" is 2.1.29). A missing part is 0 ("3" is 3.0.0); a part counts by its
    // leading number after blanks, with an optional sign ("29b" is 29, "beta" is 0).
    static VersionNumber parse(std::string_view text);
    // The running program's version, from the project version of the build.
    static VersionNumber own();

    // "major.minor.revision".
    std::string dotted() const;
};

// -1 when a is older than b, 1 when it is newer, 0 when all three parts are equal: the first
// part in which they differ decides.
int CompareVersions2(std::string_view a, std::string_view b);

} // namespace listrion::settings
