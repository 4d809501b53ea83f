#pragma once

#include "playlist/HttpClient.h"

namespace listrion::playlist {

// HttpClient on libcurl. Each request uses its own handle, so one client may serve several
// threads.
class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient();
    HttpResult get(const std::string& url, const HttpLimits& limits, const BodySink& sink,
                   const CancelTest& cancelled) override;
};

} // namespace listrion::playlist
