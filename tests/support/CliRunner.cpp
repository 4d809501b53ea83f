#include "support/CliRunner.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <csignal>
#include <thread>

namespace listrion::test {

namespace {

CliResult run(const std::filesystem::path& home, const std::vector<std::string>& args,
              const CliConditions& conditions, std::chrono::milliseconds delay,
              std::chrono::milliseconds* afterInterrupt, int signal)
{
    TempFolder capture;
    const std::string outPath = capture.file("out").string();
    const std::string errPath = capture.file("err").string();
    std::vector<std::string> argv = {LISTRION_CLI_PATH, "--home", home.string()};
    argv.insert(argv.end(), args.begin(), args.end());

    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (conditions.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*conditions.fileSizeLimit, *conditions.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (conditions.asAnotherUser && geteuid() == 0 &&
            (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(126);
        }
        std::vector<char*> cargs;
        for (std::string& a : argv) {
            cargs.push_back(a.data());
        }
        cargs.push_back(nullptr);
        execv(cargs[0], cargs.data());
        _exit(127);
    }
    CliResult result;
    int status = 0;
    if (delay.count() >= 0) {
        std::this_thread::sleep_for(delay);
        kill(pid, signal);
    }
    const auto interrupted = std::chrono::steady_clock::now();
    waitpid(pid, &status, 0);
    if (afterInterrupt != nullptr) {
        *afterInterrupt = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - interrupted);
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

} // namespace

std::string runOneLine(const std::filesystem::path& home, const std::vector<std::string>& args,
                       int exitCode)
{
    const CliResult r = runCli(home, args);
    const std::string what = args.empty() ? "(none)" : args.front();
    if (exitCode == kAnyFailure) {
        EXPECT_NE(r.exitCode, 0) << what;
    } else {
        EXPECT_EQ(r.exitCode, exitCode) << what << ": " << r.err;
    }
    const std::string& line = r.exitCode == 0 ? r.out : r.err;
    EXPECT_EQ(lineCount(line), 1u) << what << ": " << line;
    if (r.exitCode != 0) {
        EXPECT_TRUE(r.out.empty()) << what << ": " << r.out;
    }
    return line;
}

CliResult runCli(const std::filesystem::path& home, const std::vector<std::string>& args,
                 const CliConditions& conditions)
{
    return run(home, args, conditions, std::chrono::milliseconds(-1), nullptr, SIGINT);
}

CliResult runCliInterrupted(const std::filesystem::path& home, const std::vector<std::string>& args,
                            std::chrono::milliseconds delay,
                            std::chrono::milliseconds* afterInterrupt, int signal)
{
    return run(home, args, {}, delay, afterInterrupt, signal);
}

} // namespace listrion::test
