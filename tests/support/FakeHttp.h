#pragma once

#include "playlist/HttpClient.h"

#include <map>
#include <string>

namespace listrion::test {

// Serves fixed bodies for known addresses; any other address fails with 404.
class FakeHttp : public playlist::HttpClient {
public:
    std::map<std::string, std::string> bodies;

    playlist::HttpResult get(const std::string& url, const playlist::HttpLimits&,
                             const BodySink& sink, const CancelTest&) override
    {
        playlist::HttpResult result;
        const auto found = bodies.find(url);
        if (found == bodies.end()) {
            result.status = 404;
            result.error = "not found";
            return result;
        }
        sink(found->second);
        result.ok = true;
        result.status = 200;
        result.bytes = static_cast<std::int64_t>(found->second.size());
        return result;
    }
};

} // namespace listrion::test
