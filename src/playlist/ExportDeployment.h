#pragma once

#include <string_view>

namespace listrion::playlist {

// Values of this deployment that the exported channel lists carry, kept in one place so a
// packager can change them.

// The icon every channel of the nStream XML export shows in its description.
inline constexpr std::string_view kNstreamIconUrl = "https://listrion.org/images/listrion-icon.png";

// The provider caption written after "[Description]" for every channel of the feed export: the
// provider's web address.
inline constexpr std::string_view kFeedProviderCaption = "https://listrion.org";

} // namespace listrion::playlist
