#pragma once

#include <string>
#include <string_view>

namespace listrion::text {

// The UTF-8 decoding shared by playlist names (under the regions that decode them) and by the
// texts of the language files.

// '%' followed by two hexadecimal digits becomes the byte they give; every other byte, and any
// other '%', is copied.
std::string percentDecode(std::string_view bytes);

// Percent-decodes `bytes` ('%' followed by two hexadecimal digits becomes that byte; any other
// '%' stays) and decodes the result as UTF-8, ill-formed sequences becoming U+FFFD.
std::string decodePercentUtf8(std::string_view bytes);

// UTF-8 decoding of the first `count` bytes (ill-formed sequences become U+FFFD).
std::string Utf8BytesToText(std::string_view bytes, std::size_t count);

// True when `bytes` is well-formed UTF-8.
bool isWellFormedUtf8(std::string_view bytes);

} // namespace listrion::text
