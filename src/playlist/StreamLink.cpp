#include "playlist/StreamLink.h"

#include "playlist/LineText.h"

#include <algorithm>
#include <cstring>

namespace listrion::playlist {
namespace {

// The endings the merge reader compares, in its order.
constexpr std::array<std::string_view, 14> kMergeVideoEndings = {
    ".avi", ".mp4",  ".mkv", ".wmv", ".flv", ".mov", ".mpeg",
    ".mpg", ".webm", ".3gp", ".m4v", ".ts",  ".vob", ".ogv"};

constexpr std::array<std::string_view, 14> kVideoExtensions = {"mp4", "avi",  "mov", "mkv",  "wmv",
                                                               "flv", "mpeg", "mpg", "webm", "3gp",
                                                               "m4v", "ts",   "vob", "ogv"};

// Last 0-based position at which an address may begin (character 32,767).
constexpr std::size_t kLastStart = 32766;
// From this 0-based position on, an address right after `tvg-logo="` is passed over.
constexpr std::size_t kFirstSkippable = 10;
constexpr std::string_view kLogoKey = "tvg-logo=";

// The first letters of the schemes: most candidates fail on their first byte.
constexpr std::array<bool, 256> schemeLetters()
{
    std::array<bool, 256> table{};
    for (std::string_view scheme : kStreamSchemes) {
        table[static_cast<unsigned char>(scheme.front())] = true;
    }
    return table;
}
constexpr std::array<bool, 256> kSchemeLetters = schemeLetters();

bool schemeEndsAt(std::string_view line, std::size_t start, std::size_t colon)
{
    if (!kSchemeLetters[static_cast<unsigned char>(line[start])]) {
        return false;
    }
    const std::string_view candidate = line.substr(start, colon - start + 1);
    for (std::string_view scheme : kStreamSchemes) {
        if (scheme == candidate) {
            return true;
        }
    }
    return false;
}

bool followsLogoKey(std::string_view line, std::size_t start)
{
    return start >= kFirstSkippable && line.substr(start - 10, kLogoKey.size()) == kLogoKey;
}

// Where the first address begins: every scheme ends with its only ':', so the earliest
// scheme belongs to the first ':' that ends one.
std::size_t firstSchemeStart(std::string_view line)
{
    const char* data = line.data();
    std::size_t at = 3; // the shortest scheme has four characters
    while (at < line.size()) {
        const void* hit = std::memchr(data + at, ':', line.size() - at);
        if (hit == nullptr) {
            break;
        }
        const auto colon = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        const std::size_t earliest = colon >= 5 ? colon - 5 : 0;
        if (earliest > kLastStart) {
            break;
        }
        for (std::size_t start = earliest; start + 3 <= colon && start <= kLastStart; ++start) {
            if (schemeEndsAt(line, start, colon) && !followsLogoKey(line, start)) {
                return start;
            }
        }
        at = colon + 1;
    }
    return std::string_view::npos;
}

} // namespace

std::string_view GetStreamLink(std::string_view line)
{
    const std::size_t start = firstSchemeStart(line);
    if (start == std::string_view::npos) {
        return {};
    }
    std::string_view link = line.substr(start);
    const std::size_t next = link.find("#EXTINF:");
    if (next != std::string_view::npos && next > 0) {
        link = link.substr(0, next);
    }
    return LineText::trim(link);
}

std::string_view GetStreamType(std::string_view link)
{
    const std::size_t dot = link.rfind('.');
    if (dot == std::string_view::npos) {
        return "Live";
    }
    std::string_view extension = link.substr(dot + 1);
    extension = extension.substr(0, extension.find('?'));
    if (extension.size() > 4) {
        return "Live";
    }
    char lower[4];
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = extension[i];
        lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    const std::string_view folded(lower, extension.size());
    for (std::string_view known : kVideoExtensions) {
        if (known == folded) {
            return "VOD";
        }
    }
    return "Live";
}

std::string_view GetMergeStreamType(std::string_view link, bool radio)
{
    if (radio) {
        return "Radio";
    }
    const std::size_t slash = link.rfind('/');
    const std::string_view last = slash == std::string_view::npos ? link : link.substr(slash + 1);
    for (std::string_view ending : kMergeVideoEndings) {
        if (last.size() >= ending.size() &&
            std::equal(ending.begin(), ending.end(), last.end() - ending.size(),
                       [](char e, char c) {
                           return e == ((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
                       })) {
            return "VOD";
        }
    }
    return "Live";
}

} // namespace listrion::playlist
