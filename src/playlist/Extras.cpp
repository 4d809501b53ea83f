#include "playlist/Extras.h"

#include "playlist/LineText.h"

#include <algorithm>
#include <array>

namespace listrion::playlist::Extras {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// One word of an attribute list: from `begin` to `end`, with its first '=' at `equals` (kNone
// for a word that is no attribute).
struct Token {
    std::size_t begin = 0;
    std::size_t equals = kNone;
    std::size_t end = 0;

    bool isAttribute() const { return equals != kNone && equals > begin; }
};

// Reads the word at `at`, which is neither a blank nor a comma, up to a blank or a comma; a
// quoted part may hold both and ends the word. False when a quote does not close.
bool readToken(std::string_view text, std::size_t& at, Token& token)
{
    token = Token{at, kNone, at};
    while (at < text.size() && !isBlank(text[at]) && text[at] != ',') {
        if (text[at] == '"') {
            const std::size_t close = text.find('"', at + 1);
            if (close == kNone) {
                return false;
            }
            at = close + 1;
            break;
        }
        if (text[at] == '=' && token.equals == kNone) {
            token.equals = at;
        }
        ++at;
    }
    token.end = at;
    return true;
}

void appendToken(std::string& out, std::size_t mark, std::string_view text, const Token& token)
{
    if (out.size() > mark) {
        out.push_back(' ');
    }
    out.append(text.substr(token.begin, token.end - token.begin));
}

bool keyIs(std::string_view text, const Token& token, std::string_view lowerKey)
{
    const std::string_view key = text.substr(token.begin, token.equals - token.begin);
    return key.size() == lowerKey.size() && LineText::findAnyCase(key, lowerKey) == 0;
}

// The '=' signs of the attributes the reader takes into columns, each once, in line order.
struct TakenAttributes {
    std::array<std::size_t, 6> equals;
    std::size_t count = 0;

    explicit TakenAttributes(const ExtinfLine& line)
    {
        using Key = ExtinfLine::Key;
        for (Key key : {Key::GroupTitle, Key::TvgNameQuoted, Key::TvgName, Key::TvgId, Key::TvgLogo,
                        Key::ParentCode}) {
            const std::size_t at = line.equalsSign(key);
            if (at != ExtinfLine::kNotFound &&
                std::find(equals.begin(), equals.begin() + count, at) == equals.begin() + count) {
                equals[count++] = at;
            }
        }
    }
    bool holds(std::size_t at) const
    {
        return std::find(equals.begin(), equals.begin() + count, at) != equals.begin() + count;
    }
};

} // namespace

void appendKeptAttributes(const ExtinfLine& line, std::size_t linkStart, std::string& out)
{
    const TakenAttributes taken(line);
    // Most lines hold only the attributes of the columns: when every '=' of the line is one of
    // theirs, no other attribute can be there and the line need not be read again.
    if (line.equalsSignCount() == taken.count) {
        return;
    }
    const std::string_view text = line.text().substr(0, linkStart);
    const bool cut = linkStart < line.text().size();
    std::size_t at = LineText::findAnyCase(text, "#extinf:");
    if (at == kNone) {
        return;
    }
    // Past the duration.
    for (at += 8; at < text.size() && !isBlank(text[at]) && text[at] != ',';) {
        ++at;
    }
    const std::size_t mark = out.size();
    for (Token token;;) {
        while (at < text.size() && isBlank(text[at])) {
            ++at;
        }
        if (at < text.size() && text[at] == ',') {
            return;
        }
        if (at >= text.size() || !readToken(text, at, token)) {
            // Before a link the attributes read so far stay; otherwise the line is not an
            // attribute list that the writer could give back.
            if (!cut) {
                out.resize(mark);
            }
            return;
        }
        if (token.isAttribute() && !taken.holds(token.equals)) {
            appendToken(out, mark, text, token);
        }
    }
}

bool isHeaderLine(std::string_view line)
{
    return LineText::findAnyCase(LineText::trimLeading(line).substr(0, 7), "#extm3u") == 0;
}

void appendHeaderAttributes(std::string_view line, std::string& out)
{
    const std::string_view text = LineText::trimLeading(line);
    const std::size_t mark = out.size();
    std::size_t at = 7;
    for (Token token;;) {
        while (at < text.size() && (isBlank(text[at]) || text[at] == ',')) {
            ++at;
        }
        if (at >= text.size() || !readToken(text, at, token)) {
            return;
        }
        if (token.isAttribute() && !keyIs(text, token, "x-tvg-url")) {
            appendToken(out, mark, text, token);
        }
    }
}

Parts split(std::string_view extras)
{
    const std::size_t lf = extras.find('\n');
    if (lf == kNone) {
        return {extras, {}, {}};
    }
    Parts parts{extras.substr(0, lf), extras.substr(lf + 1), {}};
    // Option lines begin with '#'; a last line that does not is the address line.
    const std::size_t last = parts.optionLines.rfind('\n');
    const std::size_t from = last == kNone ? 0 : last + 1;
    if (from < parts.optionLines.size() && parts.optionLines[from] != '#') {
        parts.addressLine = parts.optionLines.substr(from);
        parts.optionLines = parts.optionLines.substr(0, last == kNone ? 0 : last);
    }
    return parts;
}

std::optional<std::string_view> attributeValue(std::string_view attributes,
                                               std::string_view lowerKey)
{
    std::size_t at = 0;
    for (Token token;;) {
        while (at < attributes.size() && (isBlank(attributes[at]) || attributes[at] == ',')) {
            ++at;
        }
        if (at >= attributes.size() || !readToken(attributes, at, token)) {
            return std::nullopt;
        }
        if (token.isAttribute() && keyIs(attributes, token, lowerKey)) {
            std::string_view value =
                attributes.substr(token.equals + 1, token.end - token.equals - 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
}

} // namespace listrion::playlist::Extras
