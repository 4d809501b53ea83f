#include "editing/NameText.h"

#include "playlist/Funkcije.h"
#include "text/LetterCase.h"

#include <unicode/utf8.h>

#include <cstdint>
#include <vector>

namespace listrion::editing::NameText {
namespace {

// Where each of the first `count` characters begins, and the end of the last of them.
std::vector<std::size_t> characterStarts(std::string_view text, std::size_t count)
{
    std::vector<std::size_t> starts;
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto n = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    while (i < n && starts.size() <= count) {
        starts.push_back(static_cast<std::size_t>(i));
        U8_FWD_1(s, i, n);
    }
    if (starts.size() <= count) {
        starts.push_back(text.size());
    }
    return starts;
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

// The first `count` characters in upper case, the rest as it is.
std::string upperFirst(std::string_view text, std::size_t count)
{
    const std::vector<std::size_t> starts = characterStarts(text, count);
    const std::size_t end = starts.back();
    return text::upperCase(text.substr(0, end)) + std::string(text.substr(end));
}

} // namespace

std::size_t length(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
    }
    return count;
}

std::string upperCase(std::string_view text)
{
    if (isAscii(text)) {
        std::string out(text);
        for (char& c : out) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        return out;
    }
    return text::upperCase(text);
}

std::string properCase(std::string_view text)
{
    if (isAscii(text)) {
        std::string out(text);
        bool wordStart = true;
        for (char& c : out) {
            if (c == ' ' || (c >= '\t' && c <= '\r')) {
                wordStart = true;
                continue;
            }
            if (wordStart && c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            } else if (!wordStart && c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
            wordStart = false;
        }
        return out;
    }
    return text::properCase(text);
}

std::string upperCountryCode(std::string_view text, std::string_view decider)
{
    if (isAscii(text) && isAscii(decider)) {
        if (decider.size() < 4) {
            return upperCase(text);
        }
        std::string out(text);
        const std::size_t count = decider[3] == ' ' ? 3 : decider[2] == ' ' ? 2 : 0;
        for (std::size_t i = 0; i < count && i < out.size(); ++i) {
            if (out[i] >= 'a' && out[i] <= 'z') {
                out[i] = static_cast<char>(out[i] - 'a' + 'A');
            }
        }
        return out;
    }
    const std::vector<std::size_t> by = characterStarts(decider, 4);
    if (by.size() < 5) {
        return upperCase(text);
    }
    const bool blankThird = decider[by[2]] == ' ';
    const bool blankFourth = decider[by[3]] == ' ';
    return blankFourth ? upperFirst(text, 3) : blankThird ? upperFirst(text, 2) : std::string(text);
}

std::string capitalize(std::string_view text, std::span<const TokenRepair> tokens)
{
    const std::string proper = properCase(text);
    std::string result = upperCountryCode(proper, proper);
    for (const auto& [from, to] : tokens) {
        result = replaceAll(result, from, to);
    }
    return result;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, at)) {
        out.append(text.substr(at, found - at));
        out.append(to);
        at = found + from.size();
    }
    out.append(text.substr(at));
    return out;
}

std::string withoutLeadingBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string withoutOuterBlanks(std::string_view text)
{
    const std::string lead = withoutLeadingBlanks(text);
    const std::size_t last = lead.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : lead.substr(0, last + 1);
}

std::string afterPipe(std::string_view name)
{
    const std::size_t at = name.find('|');
    return at == std::string_view::npos ? std::string() : withoutLeadingBlanks(name.substr(at + 1));
}

std::string withoutBracketPart(std::string_view name, char open, char close)
{
    const std::size_t from = name.find(open);
    if (from == std::string_view::npos) {
        return {};
    }
    const std::size_t to = name.find(close, from + 1);
    if (to == std::string_view::npos) {
        return {};
    }
    // "Sport (HD) Extra" becomes "Sport Extra": the blanks on both sides become one.
    const std::string before = withoutOuterBlanks(name.substr(0, from));
    const std::string after = withoutOuterBlanks(name.substr(to + 1));
    if (before.empty() || after.empty()) {
        return before + after;
    }
    return before + ' ' + after;
}

std::string afterColon(std::string_view name)
{
    return withoutLeadingBlanks(playlist::Funkcije::partBeside(name, ':', "D"));
}

} // namespace listrion::editing::NameText
