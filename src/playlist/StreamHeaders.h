#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// The HTTP user agent and referrer a channel's stream needs, as its playlist names them: many
// servers refuse a stream to any other user agent or without the referrer. The preview player
// gives them to libVLC as media options, the link checker to libcurl (CURLOPT_USERAGENT,
// CURLOPT_REFERER), so a stream that needs them plays and is not reported broken.
struct StreamHeaders {
    std::string userAgent; // empty: none named, the program's own applies
    std::string referrer;  // empty: none named

    bool operator==(const StreamHeaders&) const = default;
};

// The headers named by a channel's extras (Playlist.extras, text as stored): the last
// #EXTVLCOPT:http-user-agent= and #EXTVLCOPT:http-referrer= option lines, as a player applies
// them, else the first http-user-agent or user-agent attribute and the first http-referrer or
// referrer attribute of its #EXTINF: line (the spelling "referer" is taken too).
StreamHeaders streamHeaders(std::string_view extras);

// The headers of the channel with that row id (none when it is gone).
StreamHeaders streamHeadersOf(const store::Database& db, std::int64_t rowid);

// libVLC media options for the headers (":http-user-agent=...", ":http-referrer=..."), one per
// header named; libVLC takes them as UTF-8, as the store holds them.
std::vector<std::string> vlcMediaOptions(const StreamHeaders& headers);

} // namespace listrion::playlist
