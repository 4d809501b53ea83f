#include "text/Utf8Decoding.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace listrion::text {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string Utf8BytesToText(std::string_view bytes, std::size_t count)
{
    bytes = bytes.substr(0, count);
    std::string out;
    out.reserve(bytes.size());
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto n = static_cast<std::int32_t>(bytes.size());
    // Well-formed bytes are copied in runs; only an ill-formed subpart breaks a run.
    std::int32_t copied = 0;
    std::int32_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(s, i, n, c);
        if (c < 0) {
            out.append(bytes.data() + copied, static_cast<std::size_t>(start - copied));
            out.append("\xEF\xBF\xBD"); // U+FFFD for each maximal ill-formed subpart
            copied = i;
        }
    }
    out.append(bytes.data() + copied, static_cast<std::size_t>(n - copied));
    return out;
}

bool isWellFormedUtf8(std::string_view bytes)
{
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto n = static_cast<std::int32_t>(bytes.size());
    std::int32_t i = 0;
    while (i < n) {
        UChar32 c = 0;
        U8_NEXT(s, i, n, c);
        if (c < 0) {
            return false;
        }
    }
    return true;
}

std::string percentDecode(std::string_view bytes)
{
    std::string raw;
    raw.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && hexValue(bytes[i + 1]) >= 0 &&
            hexValue(bytes[i + 2]) >= 0) {
            raw.push_back(static_cast<char>(hexValue(bytes[i + 1]) * 16 + hexValue(bytes[i + 2])));
            i += 2;
        } else {
            raw.push_back(bytes[i]);
        }
    }
    return raw;
}

std::string decodePercentUtf8(std::string_view bytes)
{
    if (bytes.find('%') == std::string_view::npos) {
        return Utf8BytesToText(bytes, bytes.size());
    }
    const std::string raw = percentDecode(bytes);
    return Utf8BytesToText(raw, raw.size());
}

} // namespace listrion::text
