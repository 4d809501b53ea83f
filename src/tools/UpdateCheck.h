#pragma once

#include "playlist/HttpClient.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace listrion::tools {

// The update check: downloads the file that names the newest published version and compares
// that version with the program's own. Run once (run()) or on a worker thread (the object), so
// the editor's start never waits for the network.
class UpdateCheck {
public:
    enum class Outcome { Newer, UpToDate, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        std::string version; // the first line of the version file, trimmed
        std::string error;   // why the download failed
    };

    // The longest the check may take; then it gives up.
    static constexpr std::chrono::milliseconds kTimeLimit{5'000};

    // Removes `versionFile`, downloads `url` into it (written beside it, renamed when whole)
    // and compares its first line with `ownVersion`. `stop` ends a transfer under way.
    static Result run(playlist::HttpClient& http, const std::string& url,
                      const std::filesystem::path& versionFile, const std::string& ownVersion,
                      std::chrono::milliseconds limit = kTimeLimit,
                      const std::atomic<bool>* stop = nullptr);

    // The question that offers the download page for a newer `version`.
    static std::string question(const std::string& version);

    // Starts run() with the program's own version on a worker thread and calls `done` there
    // with its result. The destructor stops a transfer under way and waits for the thread.
    UpdateCheck(playlist::HttpClient& http, std::string url, std::filesystem::path versionFile,
                std::function<void(const Result&)> done,
                std::chrono::milliseconds limit = kTimeLimit);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace listrion::tools
