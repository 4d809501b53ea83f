#pragma once

#include <optional>
#include <string_view>

namespace listrion::playlist {

// How much of a playlist file the program reads into the store and writes back.
enum class PlaylistMode {
    // Besides the channel's columns, its extras (the other #EXTINF: attributes and the option
    // lines before its address) and the header's other attributes are kept and written back.
    Full,
    // Exactly the lines of the columns: the reader keeps no extras and the writer writes none.
    Design,
};

// "full" or "design" in any letter case; nothing for anything else.
std::optional<PlaylistMode> parsePlaylistMode(std::string_view text);

// The mode a Settings.ini value asks for: Design only when it names it, Full otherwise (Full is
// the default, so an empty or unknown value never drops a stream's options).
PlaylistMode playlistModeSetting(std::string_view value);

} // namespace listrion::playlist
