#include "playlist/Extraction.h"

#include "playlist/LineText.h"
#include "playlist/StreamLink.h"
#include "playlist/TextCleanup.h"

#include <array>
#include <charconv>
#include <limits>

namespace listrion::playlist {
namespace {

using Key = ExtinfLine::Key;

// The bytes the tvg-id clean-up removes or starts a removed sequence with (C2 leads the UTF-8
// form of ©), and the '=' that every "tvg-id=" holds.
constexpr std::string_view kTvgIdCleanedBytes = "I\"\xA9\xC2\xE2[]'\x84=";

constexpr std::array<bool, 256> tvgIdCleanedTable()
{
    std::array<bool, 256> table{};
    for (char c : kTvgIdCleanedBytes) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}
constexpr std::array<bool, 256> kTvgIdCleaned = tvgIdCleanedTable();

bool hasTvgIdCleanedByte(std::string_view value)
{
    bool found = false;
    for (char c : value) {
        found |= kTvgIdCleaned[static_cast<unsigned char>(c)];
    }
    return found;
}

std::string_view cutAtScheme(std::string_view name)
{
    // Every scheme ends with ':'.
    if (name.find(':') == std::string_view::npos) {
        return name;
    }
    for (std::string_view scheme : kStreamSchemes) {
        const std::size_t at = name.find(scheme);
        if (at != std::string_view::npos) {
            return name.substr(0, at);
        }
    }
    return name;
}

void channelName(const ExtinfLine& line, const ValueDecoder& decoder, TextCleanup::Field field,
                 std::string& out)
{
    const auto quoted = line.value(Key::TvgNameQuoted);
    const std::string_view raw =
        (quoted && !quoted->empty()) ? *quoted : nameAfterCommas(line.text());
    TextCleanup::clean(cutAtScheme(raw), field, out, decoder.cleanupEncoding());
    decoder.regionalInPlace(out);
}

void cleanedValue(const ExtinfLine& line, Key key, const ValueDecoder& decoder,
                  TextCleanup::Field field, std::string& out)
{
    const auto value = line.value(key);
    if (!value) {
        out.clear();
        return;
    }
    TextCleanup::clean(*value, field, out, decoder.cleanupEncoding());
    decoder.regionalInPlace(out);
}

template <typename Function>
std::string returned(const ExtinfLine& line, const ValueDecoder& decoder, Function function)
{
    std::string out;
    function(line, decoder, out);
    return out;
}

} // namespace

std::string_view nameAfterCommas(std::string_view line)
{
    std::size_t after = 0;
    for (int found = 0; found < 4; ++found) {
        const std::size_t comma = line.find(',', after);
        if (comma == std::string_view::npos) {
            break;
        }
        after = comma + 1;
    }
    return line.substr(after);
}

void GetGroupTitle(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    cleanedValue(line, Key::GroupTitle, decoder, TextCleanup::Field::Group, out);
}

void GetChannelName(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    channelName(line, decoder, TextCleanup::Field::Name, out);
}

void GetChannelName2(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    channelName(line, decoder, TextCleanup::Field::Name2, out);
}

void GetTvgName(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    cleanedValue(line, Key::TvgName, decoder, TextCleanup::Field::TvgName, out);
}

void GetTvgId(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    const auto value = line.value(Key::TvgId);
    if (!value) {
        out.clear();
        return;
    }
    // Without any byte the clean-up removes, the value stays as it is.
    if (!hasTvgIdCleanedByte(*value)) {
        decoder.plain(*value, out);
        return;
    }
    decoder.plain(TextCleanup::cleanTvgId(*value, decoder.cleanupEncoding()), out);
}

void GetTvgLogo(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out)
{
    // The value ends at the first double quote, so there is none left to remove.
    const auto value = line.value(Key::TvgLogo);
    if (value) {
        decoder.plain(*value, out);
    } else {
        out.clear();
    }
}

std::string GetGroupTitle(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetGroupTitle(a...); });
}

std::string GetChannelName(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetChannelName(a...); });
}

std::string GetChannelName2(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetChannelName2(a...); });
}

std::string GetTvgName(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetTvgName(a...); });
}

std::string GetTvgId(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetTvgId(a...); });
}

std::string GetTvgLogo(const ExtinfLine& line, const ValueDecoder& decoder)
{
    return returned(line, decoder, [](auto&... a) { GetTvgLogo(a...); });
}

std::int16_t GetParentCode(const ExtinfLine& line)
{
    const auto value = line.value(Key::ParentCode);
    if (!value) {
        return 0;
    }
    std::string_view digits = LineText::trim(*value);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() == '+' || digits.front() == '-') {
        return 0;
    }
    int number = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, number);
    number = negative ? -number : number;
    if (ec != std::errc() || ptr != end || number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<std::int16_t>(number);
}

std::string_view GetRadioMark(const ExtinfLine& line)
{
    return line.find(Key::Radio) != ExtinfLine::kNotFound ? "Radio" : "";
}

} // namespace listrion::playlist
