#pragma once

#include <string_view>

namespace listrion::settings {

// The addresses of the update check and of the product pages: values of this deployment, kept
// in one place so a packager can change them.

// The one-line file holding the newest published version, as "major.minor.revision".
inline constexpr std::string_view kVersionFileUrl = "https://listrion.org/version.txt";
// Where a newer version is downloaded; opened when the user agrees after the update check.
inline constexpr std::string_view kDownloadPageUrl = "https://listrion.org/download";
// The page about one version: this base followed directly by the dotted version.
inline constexpr std::string_view kVersionPageBaseUrl = "https://listrion.org/version/";
// The maker's home page.
inline constexpr std::string_view kHomePageUrl = "https://listrion.org";

} // namespace listrion::settings
