#pragma once

#include <stdexcept>
#include <string>

namespace listrion::playlist {

// A playlist source that cannot be read: a missing file, a folder, a read error.
class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& message, bool missing)
        : std::runtime_error(message), m_missing(missing)
    {
    }
    // True when the file does not exist.
    bool missing() const { return m_missing; }

private:
    bool m_missing;
};

} // namespace listrion::playlist
