#include "text/Utf8Decoding.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

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
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        // Playlists are mostly ASCII: eight bytes at a time until one has its high bit set.
        while (i + 8 <= size) {
            std::uint64_t word = 0;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080u) != 0) {
                break;
            }
            i += 8;
        }
        while (i < size && s[i] < 0x80) {
            ++i;
        }
        if (i == size) {
            return true;
        }
        // One character; the index stays within the 32-bit range ICU's macro works with.
        const std::size_t window = std::min<std::size_t>(size - i, 4);
        std::int32_t at = 0;
        UChar32 c = 0;
        U8_NEXT(s + i, at, static_cast<std::int32_t>(window), c);
        if (c < 0) {
            return false;
        }
        i += static_cast<std::size_t>(at);
    }
    return true;
}

bool Utf8Validator::feed(std::string_view bytes)
{
    if (!m_valid) {
        return false;
    }
    // A character left unfinished by the last piece is completed from this one first.
    while (m_pendingSize > 0 && !bytes.empty()) {
        const std::size_t need = U8_COUNT_TRAIL_BYTES(m_pending[0]) + 1;
        while (m_pendingSize < need && !bytes.empty()) {
            m_pending[m_pendingSize++] = static_cast<unsigned char>(bytes.front());
            bytes.remove_prefix(1);
        }
        const std::string_view held(reinterpret_cast<const char*>(m_pending), m_pendingSize);
        if (m_pendingSize == need || need < 2 || need > 4) {
            m_valid = isWellFormedUtf8(held);
            m_pendingSize = 0;
            if (!m_valid) {
                return false;
            }
        } else if (!bytes.empty()) {
            m_valid = false;
            return false;
        }
    }
    // The last character may run on into the next piece: it waits for it.
    std::size_t tail = 0;
    while (tail < 3 && tail < bytes.size() &&
           (static_cast<unsigned char>(bytes[bytes.size() - 1 - tail]) & 0xC0u) == 0x80u) {
        ++tail;
    }
    if (tail < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[bytes.size() - 1 - tail]);
        if (lead >= 0xC0 && static_cast<std::size_t>(U8_COUNT_TRAIL_BYTES(lead)) > tail) {
            ++tail;
        } else {
            tail = 0;
        }
    } else {
        tail = 0;
    }
    if (!isWellFormedUtf8(bytes.substr(0, bytes.size() - tail))) {
        m_valid = false;
        return false;
    }
    for (std::size_t i = bytes.size() - tail; i < bytes.size(); ++i) {
        m_pending[m_pendingSize++] = static_cast<unsigned char>(bytes[i]);
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

std::string decodePercentEscapes(std::string_view utf8)
{
    std::size_t at = utf8.find('%');
    if (at == std::string_view::npos) {
        return std::string(utf8);
    }
    auto escapeAt = [&utf8](std::size_t i) {
        return i + 2 < utf8.size() && utf8[i] == '%' && hexValue(utf8[i + 1]) >= 0 &&
               hexValue(utf8[i + 2]) >= 0;
    };
    std::string out(utf8.substr(0, at));
    std::string run;
    while (at < utf8.size()) {
        if (!escapeAt(at)) {
            out.push_back(utf8[at++]);
            continue;
        }
        // A run of escapes: its bytes, each standing for the three characters at `start`.
        const std::size_t start = at;
        run.clear();
        for (; escapeAt(at); at += 3) {
            run.push_back(static_cast<char>(hexValue(utf8[at + 1]) * 16 + hexValue(utf8[at + 2])));
        }
        const auto* s = reinterpret_cast<const uint8_t*>(run.data());
        const auto n = static_cast<std::int32_t>(run.size());
        for (std::int32_t i = 0; i < n;) {
            const std::int32_t from = i;
            UChar32 c = 0;
            U8_NEXT(s, i, n, c);
            if (c < 0) {
                out.append(utf8.substr(start + 3 * static_cast<std::size_t>(from),
                                       3 * static_cast<std::size_t>(i - from)));
            } else {
                out.append(run, static_cast<std::size_t>(from), static_cast<std::size_t>(i - from));
            }
        }
    }
    return out;
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
