#include "playlist/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace listrion::playlist {

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target))
{
    std::string pattern = m_target.string() + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw std::system_error(errno, std::generic_category(),
                                "cannot create a file beside " + m_target.string());
    }
    m_temporary = pattern;
    m_file = ::fdopen(fd, "wb");
    if (m_file == nullptr) {
        const int error = errno;
        std::filesystem::remove(m_temporary);
        throw std::system_error(error, std::generic_category(), m_temporary.string());
    }
    std::setvbuf(m_file, nullptr, _IOFBF, std::size_t{1} << 20);
}

AtomicFile::~AtomicFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
}

bool AtomicFile::write(std::string_view bytes)
{
    if (m_error == 0 && !bytes.empty() &&
        std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_error = errno != 0 ? errno : EIO;
    }
    return m_error == 0;
}

void AtomicFile::commit()
{
    if (std::fflush(m_file) != 0 && m_error == 0) {
        m_error = errno;
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0 && m_error == 0) {
        m_error = errno;
    }
    if (m_error == 0) {
        std::error_code renamed;
        std::filesystem::rename(m_temporary, m_target, renamed);
        m_error = renamed.value();
    }
    if (m_error != 0) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
        throw std::system_error(m_error, std::generic_category(),
                                "cannot write " + m_target.string());
    }
}

} // namespace listrion::playlist
