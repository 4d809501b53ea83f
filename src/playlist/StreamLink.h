#pragma once

#include <array>
#include <string_view>

namespace listrion::playlist {

// Stream addresses in playlist lines. Both functions work on the line's bytes.

// The schemes that start an address, in the order a name is cut at them (exact case).
inline constexpr std::array<std::string_view, 8> kStreamSchemes = {
    "https:", "http:", "udp:", "rtp:", "edp:", "hrtp:", "rtsp:", "tcp:"};

// The address in a line: the rest of the line from the first scheme that starts within its
// first 32,767 characters, cut before a later "#EXTINF:", without leading and trailing blanks.
// From the 11th character on, an address that directly follows "tvg-logo=" and its opening
// quote is passed over. Empty when there is none.
std::string_view GetStreamLink(std::string_view line);

// "VOD" when the text after the last '.' of the link, in lower case and cut before its first
// '?', is one of the video file extensions; otherwise "Live".
std::string_view GetStreamType(std::string_view link);

// The merge reader's type: "Radio" for an entry with a radio attribute; otherwise "VOD" when the
// text after the link's last '/', in lower case, ends with one of the video file endings (a
// query part is not removed first, so "a.mp4?t=1" is "Live"), else "Live".
std::string_view GetMergeStreamType(std::string_view link, bool radio);

} // namespace listrion::playlist
