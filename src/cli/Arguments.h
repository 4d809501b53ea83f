#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace listrion::cli {

// A mistake in how a command was called; reported with the command's usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments of one command. Options are taken out by name; what remains are the positional
// arguments, and finish() rejects anything left that looks like an option.
class Arguments {
public:
    explicit Arguments(std::vector<std::string> args) : m_args(std::move(args)) {}

    bool takeFlag(const std::string& name);
    std::optional<std::string> takeOption(const std::string& name);
    std::vector<std::string> takeRepeated(const std::string& name);
    // The positional arguments; throws UsageError unless there are between min and max of them.
    std::vector<std::string> finish(std::size_t min, std::size_t max);

private:
    std::vector<std::string> m_args;
};

// Parses a whole decimal number; throws UsageError naming `what` otherwise.
long long parseInteger(const std::string& text, const std::string& what);

} // namespace listrion::cli
