#pragma once

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

} // namespace listrion::test
