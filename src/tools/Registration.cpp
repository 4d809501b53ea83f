#include "tools/Registration.h"

#include "settings/Settings.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

namespace listrion::tools {

bool registrationNeeded(const settings::Settings& settings)
{
    return settings.readNumber(settings::Keys::RegAsm).value_or(0) == 0;
}

void recordRegistration(const settings::Settings& settings)
{
    settings.write(settings::Keys::RegAsm, "1");
}

std::string linkTestingProblem()
{
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(),
                                                                     &curl_easy_cleanup);
    if (info == nullptr || !handle) {
        return "libcurl cannot start";
    }
    bool http = false;
    bool https = false;
    for (const char* const* protocol = info->protocols; protocol && *protocol; ++protocol) {
        http = http || std::string_view(*protocol) == "http";
        https = https || std::string_view(*protocol) == "https";
    }
    if (!http || !https) {
        return std::string("libcurl ") + info->version + " cannot fetch http and https addresses";
    }
    return {};
}

} // namespace listrion::tools
