#pragma once

#include <string_view>

namespace listrion::tools {

// The outside pages the EPG id window opens in the desktop's browser: values of this
// deployment, kept in one place so a packager can change them. Only the paths are fixed.

// The EPG provider's channel directory; the search text follows the path.
inline constexpr std::string_view kEpgChannelDirectoryBase = "https://epg.listrion.org";
inline constexpr std::string_view kEpgChannelDirectoryPath = "/available-channels?term=";
// The page listing the country codes of EPG ids.
inline constexpr std::string_view kEpgCountryCodesBase = "https://epg.listrion.org";
inline constexpr std::string_view kEpgCountryCodesPath = "/codes/";

} // namespace listrion::tools
