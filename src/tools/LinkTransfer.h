#pragma once

#include "tools/HostSchedule.h"
#include "tools/LinkValidator.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <curl/curl.h>

namespace listrion::tools {

// The first media entry of an HLS (or extended M3U) playlist: its first line that is neither
// empty nor a '#' line. With `complete` false the text may end inside a line, and only lines
// that end with a line break count.
std::optional<std::string> firstMediaEntry(std::string_view playlist, bool complete);

// One fetch of a link on a libcurl easy handle, bounded by the options. It reads no more than
// it needs to decide: an answer that is not a playlist is decided by its first bytes; a
// playlist is read until its first media entry.
class LinkTransfer {
public:
    enum class Result {
        Working,
        Broken,
        Throttled, // 429 or 503: the link is tried again once its host has waited
        Follow     // a playlist: its first media entry (next()) is fetched the same way
    };

    LinkTransfer(const LinkCheckOptions& options, LinkJob job);
    ~LinkTransfer();
    LinkTransfer(const LinkTransfer&) = delete;
    LinkTransfer& operator=(const LinkTransfer&) = delete;

    // Null when libcurl could not make a handle.
    CURL* handle() const { return m_easy; }
    LinkJob& job() { return m_job; }

    // After the transfer ended with `code`.
    Result finish(CURLcode code);
    const std::string& next() const { return m_next; }
    std::optional<std::chrono::seconds> retryAfter() const { return m_retryAfter; }

private:
    enum class Body { Unknown, Media, Playlist };

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    std::size_t take(std::string_view chunk);
    long status() const;
    bool success(long status) const;
    // Lets a short answer end by itself, so that its connection can serve the next link.
    bool readToEnd() const;
    void sniff(bool complete);
    Result decidePlaylist(bool complete);

    const LinkCheckOptions& m_options;
    LinkJob m_job;
    CURL* m_easy = nullptr;
    bool m_ftp = false;
    Body m_body = Body::Unknown;
    bool m_decided = false;
    std::int64_t m_bytes = 0;
    std::string m_head; // the answer's first bytes (all of it for a playlist, up to the limit)
    std::string m_next;
    std::optional<std::chrono::seconds> m_retryAfter;
};

} // namespace listrion::tools
