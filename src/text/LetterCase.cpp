#include "text/LetterCase.h"

#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <memory>

namespace listrion::text {
namespace {

using MapFunction = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

struct CaseMapCloser {
    void operator()(UCaseMap* map) const { ucasemap_close(map); }
};

const UCaseMap* rootCaseMap()
{
    // The root locale: no language's special rules (Turkish dotted I, Lithuanian dots).
    static const std::unique_ptr<UCaseMap, CaseMapCloser> map = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<UCaseMap, CaseMapCloser>(ucasemap_open("", 0, &status));
    }();
    return map.get();
}

bool isAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string mapped(std::string_view utf8, MapFunction function)
{
    if (utf8.empty()) {
        return {};
    }
    // A mapping grows text by at most three times (one code point to three).
    std::string out(utf8.size() * 3 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = function(rootCaseMap(), out.data(), static_cast<int32_t>(out.size()),
                                    utf8.data(), static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) {
        return std::string(utf8);
    }
    out.resize(static_cast<std::size_t>(length));
    return out;
}

void appendCodePoint(std::string& out, UChar32 c)
{
    char buffer[4];
    int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, c, error);
    (void)error; // four bytes always hold one code point
    out.append(buffer, static_cast<std::size_t>(length));
}

// One word: its first code point in title case, the rest as the word lowers as a whole (so a
// final sigma sees the letters before it).
void appendProperWord(std::string& out, std::string_view word)
{
    const auto* s = reinterpret_cast<const uint8_t*>(word.data());
    int32_t firstEnd = 0;
    UChar32 first = 0;
    U8_NEXT(s, firstEnd, static_cast<int32_t>(word.size()), first);
    const std::string lowered = lowerCase(word);
    const std::string firstLowered = lowerCase(word.substr(0, static_cast<std::size_t>(firstEnd)));
    appendCodePoint(out, first < 0 ? 0xFFFD : u_totitle(first));
    if (lowered.starts_with(firstLowered)) {
        out.append(lowered, firstLowered.size());
    } else {
        out.append(lowerCase(word.substr(static_cast<std::size_t>(firstEnd))));
    }
}

} // namespace

std::string upperCase(std::string_view utf8)
{
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out) {
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        }
        return out;
    }
    return mapped(utf8, ucasemap_utf8ToUpper);
}

std::string lowerCase(std::string_view utf8)
{
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        return out;
    }
    return mapped(utf8, ucasemap_utf8ToLower);
}

std::string properCase(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto n = static_cast<int32_t>(utf8.size());
    int32_t wordStart = -1;
    for (int32_t i = 0; i <= n;) {
        const int32_t at = i;
        UChar32 c = ' ';
        if (i < n) {
            U8_NEXT(s, i, n, c);
        } else {
            ++i;
        }
        const bool space = c >= 0 && u_isUWhiteSpace(c);
        if (!space && wordStart < 0) {
            wordStart = at;
        }
        if (space && wordStart >= 0) {
            appendProperWord(out, utf8.substr(static_cast<std::size_t>(wordStart),
                                              static_cast<std::size_t>(at - wordStart)));
            wordStart = -1;
        }
        if (space && at < n) {
            out.append(utf8.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(i - at)));
        }
    }
    return out;
}

} // namespace listrion::text
