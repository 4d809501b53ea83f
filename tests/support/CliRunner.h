#pragma once

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace listrion::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// How the command runs apart from its arguments.
struct CliConditions {
    // No file the command writes may grow beyond this many bytes (writes fail as on a full
    // disk).
    std::optional<std::uint64_t> fileSizeLimit;
    // When the tests run as root: the command runs as user nobody, for whom the program folder
    // of a test is another user's.
    bool asAnotherUser = false;
};
// Runs the built listrion-cli with --home `home` and the given arguments.
CliResult runCli(const std::filesystem::path& home, const std::vector<std::string>& args,
                 const CliConditions& conditions = {});

// The same, with Ctrl+C (SIGINT, or the signal given) sent to the command after `delay`.
// `afterInterrupt` is the time the command took to end once interrupted.
CliResult runCliInterrupted(const std::filesystem::path& home, const std::vector<std::string>& args,
                            std::chrono::milliseconds delay,
                            std::chrono::milliseconds* afterInterrupt = nullptr,
                            int signal = SIGINT);

// Runs a command that must end with `exitCode` (kAnyFailure: any but 0) and print one line: on
// stdout when it succeeds; on stderr, with nothing on stdout, when it fails. Returns that line.
inline constexpr int kAnyFailure = -1;
std::string runOneLine(const std::filesystem::path& home, const std::vector<std::string>& args,
                       int exitCode = 0);

// The number of lines of a command's output.
inline std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace listrion::test
