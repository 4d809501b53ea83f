#include "tools/LinkTransfer.h"

#include "tools/LinkAddress.h"

#include <algorithm>
#include <cctype>

namespace listrion::tools {
namespace {

constexpr std::string_view kPlaylistMark = "#EXTM3U";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool endsWithNoCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           startsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// The path of an address, without query and fragment.
std::string_view pathOf(std::string_view url)
{
    const std::size_t end = url.find_first_of("?#");
    return url.substr(0, end);
}

} // namespace

std::optional<std::string> firstMediaEntry(std::string_view playlist, bool complete)
{
    std::size_t at = playlist.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    while (at < playlist.size()) {
        const std::size_t end = playlist.find_first_of("\r\n", at);
        if (end == std::string_view::npos && !complete) {
            return std::nullopt;
        }
        const std::string_view line =
            trimmed(playlist.substr(at, end == std::string_view::npos ? end : end - at));
        if (!line.empty() && line.front() != '#') {
            return std::string(line);
        }
        if (end == std::string_view::npos) {
            break;
        }
        at = end + 1;
    }
    return std::nullopt;
}

LinkTransfer::LinkTransfer(const LinkCheckOptions& options, LinkJob job)
    : m_options(options), m_job(std::move(job)), m_easy(curl_easy_init())
{
    if (m_easy == nullptr) {
        return;
    }
    m_ftp = linkScheme(m_job.url) == "ftp";
    const std::string& agent =
        m_job.request.userAgent.empty() ? m_options.userAgent : m_job.request.userAgent;
    curl_easy_setopt(m_easy, CURLOPT_URL, m_job.url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_PRIVATE, this);
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(m_easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_easy, CURLOPT_MAXREDIRS, m_options.maxRedirects);
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_options.connectTimeout.count()));
    curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, static_cast<long>(m_options.totalTimeout.count()));
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    // Stopping a run must not wait for name look-ups still under way.
    curl_easy_setopt(m_easy, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(m_easy, CURLOPT_USERAGENT, agent.c_str());
    if (!m_job.request.referrer.empty()) {
        curl_easy_setopt(m_easy, CURLOPT_REFERER, m_job.request.referrer.c_str());
    }
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &LinkTransfer::onBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
}

LinkTransfer::~LinkTransfer()
{
    if (m_easy != nullptr) {
        curl_easy_cleanup(m_easy);
    }
}

std::size_t LinkTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self)
{
    return static_cast<LinkTransfer*>(self)->take(std::string_view(data, size * count));
}

long LinkTransfer::status() const
{
    long code = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

bool LinkTransfer::success(long code) const
{
    // An FTP answer's code is that of the last command; a body means the file is there.
    return m_ftp || (code >= 200 && code <= 299);
}

bool LinkTransfer::readToEnd() const
{
    curl_off_t length = -1;
    curl_easy_getinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length >= 0 && length <= m_options.maxBytes;
}

void LinkTransfer::sniff(bool complete)
{
    const char* type = nullptr;
    curl_easy_getinfo(m_easy, CURLINFO_CONTENT_TYPE, &type);
    const char* effective = nullptr;
    curl_easy_getinfo(m_easy, CURLINFO_EFFECTIVE_URL, &effective);
    std::string_view head = m_head;
    if (head.starts_with(kUtf8Mark)) {
        head.remove_prefix(kUtf8Mark.size());
    }
    head = trimmed(head);
    if (startsWithNoCase(head, kPlaylistMark) ||
        (type != nullptr && std::string_view(type).find("mpegurl") != std::string_view::npos) ||
        (effective != nullptr && endsWithNoCase(pathOf(effective), ".m3u8"))) {
        m_body = Body::Playlist;
    } else if (head.size() >= kPlaylistMark.size() || complete) {
        m_body = Body::Media;
    }
}

std::size_t LinkTransfer::take(std::string_view chunk)
{
    if (!success(status())) {
        return 0; // an error answer: its body does not matter
    }
    m_bytes += static_cast<std::int64_t>(chunk.size());
    if (m_decided) {
        return m_bytes <= m_options.maxBytes ? chunk.size() : 0;
    }
    const std::size_t room =
        static_cast<std::size_t>(std::max<std::int64_t>(0, m_options.maxBytes)) - m_head.size();
    m_head.append(chunk.substr(0, std::min(room, chunk.size())));
    if (m_body == Body::Unknown) {
        sniff(false);
    }
    if (m_body == Body::Media ||
        (m_body == Body::Playlist && firstMediaEntry(m_head, false).has_value())) {
        m_decided = true;
        return readToEnd() ? chunk.size() : 0;
    }
    return m_bytes < m_options.maxBytes ? chunk.size() : 0;
}

LinkTransfer::Result LinkTransfer::finish(CURLcode code)
{
    const long answer = status();
    if (answer == 429 || answer == 503) {
        curl_off_t seconds = -1;
        if (curl_easy_getinfo(m_easy, CURLINFO_RETRY_AFTER, &seconds) == CURLE_OK && seconds >= 0) {
            m_retryAfter = std::chrono::seconds(seconds);
        }
        return Result::Throttled;
    }
    if (!success(answer) || m_bytes == 0) {
        return Result::Broken;
    }
    const bool ended = code == CURLE_OK;
    if (m_body == Body::Unknown) {
        // The answer ended, or was cut off, before its first bytes told what it is.
        sniff(true);
    }
    if (m_body == Body::Media) {
        return Result::Working;
    }
    // A playlist cut off by the limit or the time-out counts only up to its last whole line.
    return decidePlaylist(ended || m_decided);
}

LinkTransfer::Result LinkTransfer::decidePlaylist(bool complete)
{
    const std::optional<std::string> entry = firstMediaEntry(m_head, complete);
    if (!entry || m_job.hop + 1 > m_options.playlistHops) {
        return Result::Broken;
    }
    const char* effective = nullptr;
    curl_easy_getinfo(m_easy, CURLINFO_EFFECTIVE_URL, &effective);
    m_next = resolveLink(effective != nullptr ? effective : m_job.url, *entry);
    return m_next.empty() ? Result::Broken : Result::Follow;
}

} // namespace listrion::tools
