#pragma once

#include <string>
#include <string_view>

namespace listrion::tools {

// How a stream link can be tested.
enum class LinkKind {
    Transfer,    // http, https and ftp: fetched with libcurl
    File,        // file:// or an absolute path: the file must exist and be readable
    Untestable,  // another scheme (rtmp, rtsp, udp, ...): a player may play it, curl cannot test it
    NotAnAddress // empty, no scheme, or not a well-formed address
};

LinkKind classifyLink(std::string_view link);

// The scheme of a link ("http", "rtmp"), in small letters; empty without one.
std::string linkScheme(std::string_view link);

// The host of an address in small letters, the key of the per-host limit; empty when the
// address cannot be parsed.
std::string linkHost(const std::string& url);

// Resolves `reference` (absolute, or relative as in an HLS playlist) against `base`; empty when
// either cannot be parsed.
std::string resolveLink(const std::string& base, const std::string& reference);

// A file:// link or an absolute path names a regular file that can be opened for reading.
bool fileLinkWorks(std::string_view link);

} // namespace listrion::tools
