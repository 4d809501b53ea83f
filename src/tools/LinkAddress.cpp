#include "tools/LinkAddress.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace listrion::tools {
namespace {

bool isSchemeChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string percentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

using Url = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

Url parsed(const std::string& url)
{
    Url handle(curl_url(), &curl_url_cleanup);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return Url(nullptr, &curl_url_cleanup);
    }
    return handle;
}

std::string part(CURLU* url, CURLUPart which)
{
    char* value = nullptr;
    if (curl_url_get(url, which, &value, 0) != CURLUE_OK || value == nullptr) {
        return {};
    }
    std::string text(value);
    curl_free(value);
    return text;
}

} // namespace

std::string linkScheme(std::string_view link)
{
    const std::size_t colon = link.find(':');
    // One letter before the colon is a drive letter, not a scheme.
    if (colon == std::string_view::npos || colon < 2 ||
        std::isalpha(static_cast<unsigned char>(link.front())) == 0 ||
        !std::all_of(link.begin(), link.begin() + static_cast<std::ptrdiff_t>(colon),
                     isSchemeChar)) {
        return {};
    }
    std::string scheme(link.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return scheme;
}

LinkKind classifyLink(std::string_view link)
{
    if (link.empty()) {
        return LinkKind::NotAnAddress;
    }
    if (link.front() == '/') {
        return LinkKind::File;
    }
    const std::string scheme = linkScheme(link);
    if (scheme.empty()) {
        return LinkKind::NotAnAddress;
    }
    if (scheme == "http" || scheme == "https" || scheme == "ftp") {
        return LinkKind::Transfer;
    }
    if (scheme == "file") {
        return LinkKind::File;
    }
    // A scheme with nothing after it ("rtmp:") addresses nothing.
    return link.size() > scheme.size() + 1 ? LinkKind::Untestable : LinkKind::NotAnAddress;
}

std::string linkHost(const std::string& url)
{
    const Url handle = parsed(url);
    if (!handle) {
        return {};
    }
    std::string host = part(handle.get(), CURLUPART_HOST);
    std::transform(host.begin(), host.end(), host.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return host;
}

std::string resolveLink(const std::string& base, const std::string& reference)
{
    const Url handle = parsed(base);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, reference.c_str(), 0) != CURLUE_OK) {
        return {};
    }
    return part(handle.get(), CURLUPART_URL);
}

bool fileLinkWorks(std::string_view link)
{
    std::string path;
    if (!link.empty() && link.front() == '/') {
        path = std::string(link);
    } else {
        std::string_view rest = link.substr(std::min<std::size_t>(5, link.size())); // "file:"
        if (rest.starts_with("//")) {
            rest.remove_prefix(2);
            // file://host/path: only the local host (empty or "localhost") is this machine.
            const std::size_t slash = rest.find('/');
            if (slash == std::string_view::npos) {
                return false;
            }
            const std::string_view host = rest.substr(0, slash);
            if (!host.empty() && host != "localhost") {
                return false;
            }
            rest.remove_prefix(slash);
        }
        path = percentDecoded(rest);
    }
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

} // namespace listrion::tools
