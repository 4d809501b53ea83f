#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>

namespace listrion::cli {

bool Arguments::takeFlag(const std::string& name)
{
    const auto it = std::find(m_args.begin(), m_args.end(), name);
    if (it == m_args.end()) {
        return false;
    }
    m_args.erase(it);
    return true;
}

std::optional<std::string> Arguments::takeOption(const std::string& name)
{
    std::vector<std::string> values = takeRepeated(name);
    if (values.size() > 1) {
        throw UsageError(name + " is given more than once");
    }
    if (values.empty()) {
        return std::nullopt;
    }
    return values.front();
}

std::vector<std::string> Arguments::takeRepeated(const std::string& name)
{
    std::vector<std::string> values;
    for (std::size_t i = 0; i < m_args.size();) {
        if (m_args[i] == name) {
            if (i + 1 >= m_args.size()) {
                throw UsageError(name + " needs a value");
            }
            values.push_back(m_args[i + 1]);
            m_args.erase(m_args.begin() + static_cast<std::ptrdiff_t>(i),
                         m_args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else if (m_args[i].starts_with(name + "=")) {
            values.push_back(m_args[i].substr(name.size() + 1));
            m_args.erase(m_args.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return values;
}

std::vector<std::string> Arguments::finish(std::size_t min, std::size_t max)
{
    for (const std::string& arg : m_args) {
        if (arg.size() > 1 && arg.starts_with("-") &&
            arg.find_first_not_of("-0123456789") != std::string::npos) {
            throw UsageError("unknown option " + arg);
        }
    }
    if (m_args.size() < min) {
        throw UsageError("missing argument");
    }
    if (m_args.size() > max) {
        throw UsageError("unexpected argument " + m_args[max]);
    }
    return m_args;
}

long long parseInteger(const std::string& text, const std::string& what)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        throw UsageError(what + " must be a whole number, not '" + text + "'");
    }
    return value;
}

} // namespace listrion::cli
