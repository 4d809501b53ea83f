#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace listrion::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built listrion-cli with --home `home` and the given arguments.
CliResult runCli(const std::filesystem::path& home, const std::vector<std::string>& args);

// The same, with Ctrl+C (SIGINT) sent to the command after `delay`. `afterInterrupt` is the time
// the command took to end once interrupted.
CliResult runCliInterrupted(const std::filesystem::path& home, const std::vector<std::string>& args,
                            std::chrono::milliseconds delay,
                            std::chrono::milliseconds* afterInterrupt = nullptr);

} // namespace listrion::test
