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

// True when `bytes` is well-formed UTF-8. Runs of ASCII are passed over eight bytes at a time.
bool isWellFormedUtf8(std::string_view bytes);

// Checks a stream of bytes given in pieces of any size: a character may be split between two
// pieces. Well-formed means what isWellFormedUtf8 means for the whole stream.
class Utf8Validator {
public:
    // False once the bytes so far cannot be well-formed; later calls then do nothing.
    bool feed(std::string_view bytes);
    // True when every byte fed was well-formed and no character was left unfinished.
    bool finish() const { return m_valid && m_pendingSize == 0; }

private:
    bool m_valid = true;
    unsigned char m_pending[4] = {};
    std::size_t m_pendingSize = 0;
};

// For text that is already UTF-8: each run of '%' escapes ('%' and two hexadecimal digits) is
// replaced by the characters its bytes spell in UTF-8; an escape whose byte is no part of a
// well-formed character stays as it was written, so the result is always well-formed and the
// text is never decoded a second time.
std::string decodePercentEscapes(std::string_view utf8);

} // namespace listrion::text
