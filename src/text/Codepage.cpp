#include "text/Codepage.h"

#include "text/CodepageTables.h"
#include "text/Utf8Decoding.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace listrion::text {
namespace {

constexpr std::size_t kReverseSize = 0x10000 - 0x80;

void appendUtf8(std::string& out, char32_t c)
{
    char buffer[4];
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, c, error);
    (void)error; // four bytes always hold one code point
    out.append(buffer, static_cast<std::size_t>(length));
}

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

struct Entry {
    std::string_view name;
    std::array<std::string_view, 3> aliases;
    const std::array<char16_t, 128>* table;
};

constexpr std::array<Entry, 4> kEntries = {{
    {"windows-1250", {"cp1250", "1250", "windows1250"}, &k_windows_1250},
    {"windows-1251", {"cp1251", "1251", "windows1251"}, &k_windows_1251},
    {"windows-1252", {"cp1252", "1252", "windows1252"}, &k_windows_1252},
    {"iso-8859-2", {"iso8859-2", "latin2", "iso-8859-2"}, &k_iso_8859_2},
}};

const Codepage& instance(std::size_t index)
{
    static const std::array<Codepage, 4> pages = {
        Codepage(kEntries[0].name, kEntries[0].table),
        Codepage(kEntries[1].name, kEntries[1].table),
        Codepage(kEntries[2].name, kEntries[2].table),
        Codepage(kEntries[3].name, kEntries[3].table),
    };
    return pages[index];
}

} // namespace

Codepage::Codepage(std::string_view name, const std::array<char16_t, 128>* upper)
    : m_name(name), m_upper(upper)
{
    if (upper == nullptr) {
        return;
    }
    m_reverse.reset(new unsigned char[kReverseSize]());
    for (std::size_t i = 0; i < upper->size(); ++i) {
        const char16_t c = (*upper)[i];
        if (c >= 0x80) {
            m_reverse[c - 0x80] = static_cast<unsigned char>(0x80 + i);
        }
    }
}

const Codepage* Codepage::find(std::string_view name)
{
    const std::string wanted = lower(name);
    if (wanted == "utf-8" || wanted == "utf8") {
        return &utf8();
    }
    return findSingleByte(name);
}

const Codepage* Codepage::findSingleByte(std::string_view name)
{
    const std::string wanted = lower(name);
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const Entry& e = kEntries[i];
        if (wanted == e.name ||
            std::find(e.aliases.begin(), e.aliases.end(), wanted) != e.aliases.end()) {
            return &instance(i);
        }
    }
    return nullptr;
}

const Codepage& Codepage::windows1250()
{
    return instance(0);
}

const Codepage& Codepage::utf8()
{
    static const Codepage page("UTF-8", nullptr);
    return page;
}

std::vector<std::string_view> Codepage::names()
{
    std::vector<std::string_view> out;
    for (const Entry& e : kEntries) {
        out.push_back(e.name);
    }
    return out;
}

void Codepage::appendDecoded(std::string& utf8, std::string_view bytes) const
{
    if (isUtf8()) {
        if (isWellFormedUtf8(bytes)) {
            utf8.append(bytes);
        } else {
            utf8.append(Utf8BytesToText(bytes, bytes.size()));
        }
        return;
    }
    utf8.reserve(utf8.size() + bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            utf8.push_back(ch);
        } else {
            appendUtf8(utf8, (*m_upper)[b - 0x80]);
        }
    }
}

std::string Codepage::decode(std::string_view bytes) const
{
    std::string out;
    appendDecoded(out, bytes);
    return out;
}

void Codepage::appendEncoded(std::string& bytes, std::string_view utf8) const
{
    if (isUtf8()) {
        bytes.append(utf8);
        return;
    }
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto n = static_cast<std::int32_t>(utf8.size());
    std::int32_t i = 0;
    while (i < n) {
        // Runs of ASCII are copied in one piece, found eight bytes at a time: most playlist
        // text is ASCII, and a large save spends its time here.
        std::int32_t run = i;
        for (std::uint64_t word = 0; run + 8 <= n; run += 8) {
            std::memcpy(&word, s + run, 8);
            if ((word & 0x8080808080808080u) != 0) {
                break;
            }
        }
        while (run < n && s[run] < 0x80) {
            ++run;
        }
        if (run > i) {
            bytes.append(utf8.data() + i, static_cast<std::size_t>(run - i));
            i = run;
            continue;
        }
        UChar32 c = 0;
        U8_NEXT(s, i, n, c);
        unsigned char b = 0;
        if (c >= 0x80 && c < 0x10000) {
            b = m_reverse[static_cast<std::size_t>(c) - 0x80];
        }
        bytes.push_back(b != 0 ? static_cast<char>(b) : '?');
    }
}

std::string Codepage::encode(std::string_view utf8) const
{
    std::string out;
    out.reserve(utf8.size());
    appendEncoded(out, utf8);
    return out;
}

std::optional<CodepageChoice> CodepageChoice::parse(std::string_view name, const Codepage& fallback)
{
    if (lower(name) == "auto") {
        return CodepageChoice{&fallback, true};
    }
    if (const Codepage* page = Codepage::find(name)) {
        return CodepageChoice{page, false};
    }
    return std::nullopt;
}

} // namespace listrion::text
