#include "playlist/AtomicFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace listrion::playlist {
namespace {

// The process's file-creation mask, read without changing it (umask() can only swap it).
mode_t creationMask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Umask:")) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

// mkstemp creates the file for its owner only; the finished file gets the permissions of the
// file it replaces, or those of a newly created file.
mode_t finalMode(const std::filesystem::path& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    return 0666 & ~creationMask();
}

} // namespace

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
    if (m_error == 0 && ::fchmod(::fileno(m_file), finalMode(m_target)) != 0) {
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
