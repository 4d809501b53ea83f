#include "tools/UpdateCheck.h"

#include "playlist/PlaylistOpening.h"
#include "settings/VersionNumber.h"

#include <fstream>

namespace listrion::tools {
namespace {

// Carries the owner's stop into the download.
class StopFlag final : public playlist::ProgressObserver {
public:
    explicit StopFlag(const std::atomic<bool>* stop) : m_stop(stop) {}
    void progress(const playlist::Progress&) override {}
    bool cancelRequested() override { return m_stop != nullptr && m_stop->load(); }

private:
    const std::atomic<bool>* m_stop;
};

} // namespace

UpdateCheck::Result UpdateCheck::run(playlist::HttpClient& http, const std::string& url,
                                     const std::filesystem::path& versionFile,
                                     const std::string& ownVersion, std::chrono::milliseconds limit,
                                     const std::atomic<bool>* stop)
{
    Result result;
    std::error_code ignored;
    std::filesystem::remove(versionFile, ignored);
    playlist::HttpLimits limits;
    limits.connectTimeout = limit;
    limits.totalTimeout = limit;
    limits.maxBytes = 64 * 1024; // one line is expected; a larger answer is not a version file
    StopFlag observer(stop);
    const playlist::HttpResult got =
        playlist::DownloadFile(http, url, versionFile, limits, &observer);
    if (!got.ok) {
        result.error = got.error.empty() ? "the download failed" : got.error;
        return result;
    }
    std::ifstream in(versionFile, std::ios::binary);
    std::string line;
    std::getline(in, line);
    const std::size_t first = line.find_first_not_of(" \t\r");
    result.version = first == std::string::npos
                         ? ""
                         : line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    result.outcome = settings::CompareVersions2(ownVersion, result.version) == -1
                         ? Outcome::Newer
                         : Outcome::UpToDate;
    return result;
}

std::string UpdateCheck::question(const std::string& version)
{
    return "There is a new version of the program " + version +
           "  Do you want to open the website to download the new version ?";
}

UpdateCheck::UpdateCheck(playlist::HttpClient& http, std::string url,
                         std::filesystem::path versionFile, std::function<void(const Result&)> done,
                         std::chrono::milliseconds limit)
    : m_thread([this, &http, url = std::move(url), file = std::move(versionFile),
                done = std::move(done), limit] {
          done(run(http, url, file, settings::VersionNumber::own().dotted(), limit, &m_stop));
      })
{
}

UpdateCheck::~UpdateCheck()
{
    m_stop = true;
    m_thread.join();
}

} // namespace listrion::tools
