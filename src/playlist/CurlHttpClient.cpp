#include "playlist/CurlHttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string_view>

namespace listrion::playlist {
namespace {

struct Transfer {
    const HttpClient::BodySink* sink;
    const HttpClient::CancelTest* cancelled;
    std::int64_t maxBytes;
    std::int64_t bytes = 0;
    bool tooLarge = false;
    bool sinkRefused = false;
    bool wasCancelled = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    if (t->bytes + static_cast<std::int64_t>(length) > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    t->bytes += static_cast<std::int64_t>(length);
    if (!(*t->sink)(std::string_view(data, length))) {
        t->sinkRefused = true;
        return 0;
    }
    return length;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* t = static_cast<Transfer*>(user);
    if (*t->cancelled && (*t->cancelled)()) {
        t->wasCancelled = true;
        return 1;
    }
    return 0;
}

using Handle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

void configure(CURL* curl, const std::string& url, const HttpLimits& limits, Transfer& transfer,
               curl_slist* headers, char* errorBuffer)
{
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    // libcurl measures the speed in bytes a second over the last seconds.
    const long seconds = std::max<long>(1, static_cast<long>(limits.stallTime.count()));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT,
                     std::max<long>(1, static_cast<long>(limits.stallBytes) / seconds));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Listrion");
}

std::string describe(CURLcode code, const Transfer& t, const HttpLimits& limits,
                     const char* errorBuffer)
{
    if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return "the playlist is larger than " + std::to_string(limits.maxBytes) + " bytes";
    }
    if (t.sinkRefused) {
        return "the download could not be written";
    }
    if (code == CURLE_OPERATION_TIMEDOUT &&
        std::string_view(errorBuffer).starts_with("Operation too slow")) {
        return "the server sent less than " + std::to_string(limits.stallBytes) + " bytes in " +
               std::to_string(limits.stallTime.count()) + " s";
    }
    return errorBuffer[0] != '\0' ? std::string(errorBuffer) : curl_easy_strerror(code);
}

} // namespace

CurlHttpClient::CurlHttpClient()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResult CurlHttpClient::get(const std::string& url, const HttpLimits& limits,
                               const BodySink& sink, const CancelTest& cancelled)
{
    HttpResult result;
    Handle curl(curl_easy_init(), &curl_easy_cleanup);
    HeaderList headers(curl_slist_append(nullptr, "Cache-Control: no-cache"), &curl_slist_free_all);
    if (!curl || !headers || !curl_slist_append(headers.get(), "Pragma: no-cache")) {
        result.error = "the download could not be started";
        return result;
    }
    Transfer transfer{&sink, &cancelled, limits.maxBytes};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    configure(curl.get(), url, limits, transfer, headers.get(), errorBuffer);
    const CURLcode code = curl_easy_perform(curl.get());
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &result.status);
    result.bytes = transfer.bytes;
    result.cancelled = transfer.wasCancelled;
    if (code != CURLE_OK) {
        result.error =
            transfer.wasCancelled ? "cancelled" : describe(code, transfer, limits, errorBuffer);
        return result;
    }
    const char* scheme = nullptr;
    curl_easy_getinfo(curl.get(), CURLINFO_SCHEME, &scheme);
    const bool ftp = scheme != nullptr && curl_strequal(scheme, "ftp");
    if (!ftp && (result.status < 200 || result.status > 299)) {
        result.error = "the server answered " + std::to_string(result.status);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace listrion::playlist
