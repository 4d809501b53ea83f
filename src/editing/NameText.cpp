#include "editing/NameText.h"

#include "playlist/Funkcije.h"

#include <QChar>
#include <QList>
#include <QString>

namespace listrion::editing::NameText {
namespace {

std::u32string codePoints(std::string_view text)
{
    const QList<uint> ucs4 =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

std::string utf8(const std::u32string& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString();
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

char32_t upper(char32_t c)
{
    return QChar::toUpper(c);
}

char32_t lower(char32_t c)
{
    return QChar::toLower(c);
}

void upperFirst(std::u32string& text, std::size_t count)
{
    for (std::size_t i = 0; i < count && i < text.size(); ++i) {
        text[i] = upper(text[i]);
    }
}

bool blank(char32_t c)
{
    return c == U' ';
}

} // namespace

std::size_t length(std::string_view text)
{
    if (isAscii(text)) {
        return text.size();
    }
    return codePoints(text).size();
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
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toUpper()
        .toStdString();
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
    std::u32string chars = codePoints(text);
    bool wordStart = true;
    for (char32_t& c : chars) {
        if (QChar::isSpace(c)) {
            wordStart = true;
            continue;
        }
        c = wordStart ? upper(c) : lower(c);
        wordStart = false;
    }
    return utf8(chars);
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
    const std::u32string by = codePoints(decider);
    std::u32string chars = codePoints(text);
    if (by.size() < 4) {
        return upperCase(text);
    }
    if (blank(by[2])) {
        upperFirst(chars, 2);
    }
    if (blank(by[3])) {
        upperFirst(chars, 3);
    }
    return utf8(chars);
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
