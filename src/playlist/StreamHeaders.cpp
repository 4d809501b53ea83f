#include "playlist/StreamHeaders.h"

#include "store/Database.h"

#include "playlist/Extras.h"
#include "playlist/LineText.h"

#include <array>
#include <optional>

namespace listrion::playlist {
namespace {

constexpr std::array<std::string_view, 2> kUserAgentKeys = {"http-user-agent", "user-agent"};
constexpr std::array<std::string_view, 4> kReferrerKeys = {"http-referrer", "http-referer",
                                                           "referrer", "referer"};

bool equalsAnyCase(std::string_view text, std::string_view lower)
{
    return text.size() == lower.size() && LineText::findAnyCase(text, lower) == 0;
}

template <std::size_t N>
bool isOneOf(std::string_view key, const std::array<std::string_view, N>& keys)
{
    for (std::string_view k : keys) {
        if (equalsAnyCase(key, k)) {
            return true;
        }
    }
    return false;
}

template <std::size_t N>
std::optional<std::string_view> firstAttribute(std::string_view attributes,
                                               const std::array<std::string_view, N>& keys)
{
    for (std::string_view key : keys) {
        if (const auto value = Extras::attributeValue(attributes, key)) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace

StreamHeaders streamHeaders(std::string_view extras)
{
    const Extras::Parts parts = Extras::split(extras);
    StreamHeaders headers;
    bool optionAgent = false;
    bool optionReferrer = false;
    constexpr std::string_view kVlcOption = "#extvlcopt:";
    Extras::forEachOptionLine(parts.optionLines, [&](std::string_view line) {
        if (LineText::findAnyCase(line.substr(0, kVlcOption.size()), kVlcOption) != 0) {
            return;
        }
        const std::string_view option = line.substr(kVlcOption.size());
        const std::size_t equals = option.find('=');
        if (equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = LineText::trim(option.substr(0, equals));
        const std::string_view value = LineText::trim(option.substr(equals + 1));
        if (isOneOf(key, kUserAgentKeys)) {
            headers.userAgent.assign(value);
            optionAgent = true;
        } else if (isOneOf(key, kReferrerKeys)) {
            headers.referrer.assign(value);
            optionReferrer = true;
        }
    });
    if (!optionAgent) {
        headers.userAgent.assign(firstAttribute(parts.attributes, kUserAgentKeys).value_or(""));
    }
    if (!optionReferrer) {
        headers.referrer.assign(firstAttribute(parts.attributes, kReferrerKeys).value_or(""));
    }
    return headers;
}

StreamHeaders streamHeadersOf(const store::Database& db, std::int64_t rowid)
{
    store::Statement st = db.prepare("SELECT extras FROM Playlist WHERE rowid = ?");
    st.bind(1, rowid);
    return st.step() ? streamHeaders(st.columnView(0)) : StreamHeaders{};
}

std::vector<std::string> vlcMediaOptions(const StreamHeaders& headers)
{
    std::vector<std::string> options;
    if (!headers.userAgent.empty()) {
        options.push_back(":http-user-agent=" + headers.userAgent);
    }
    if (!headers.referrer.empty()) {
        options.push_back(":http-referrer=" + headers.referrer);
    }
    return options;
}

} // namespace listrion::playlist
