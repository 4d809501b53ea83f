#include "playlist/PlaylistMode.h"

#include "text/AsciiCase.h"

namespace listrion::playlist {

std::optional<PlaylistMode> parsePlaylistMode(std::string_view text)
{
    if (text::equalsIgnoringAsciiCase(text, "full")) {
        return PlaylistMode::Full;
    }
    if (text::equalsIgnoringAsciiCase(text, "design")) {
        return PlaylistMode::Design;
    }
    return std::nullopt;
}

PlaylistMode playlistModeSetting(std::string_view value)
{
    return parsePlaylistMode(value).value_or(PlaylistMode::Full);
}

} // namespace listrion::playlist
