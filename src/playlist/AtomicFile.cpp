#include "playlist/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
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

constexpr std::string_view kInfix = ".listrion-";
constexpr std::size_t kRandomPart = 6; // mkstemp's XXXXXX

bool sameFile(int fd, const std::filesystem::path& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// A new temporary file beside `target`, locked; its name goes to `path`. Another program's
// clean-up may remove the name between its creation and the lock; then it is made again.
int createLocked(const std::filesystem::path& target, std::filesystem::path& path)
{
    for (int attempt = 0;; ++attempt) {
        std::string pattern = target.string() + std::string(kInfix) + "XXXXXX";
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) {
            throw std::system_error(errno, std::generic_category(),
                                    "cannot create a file beside " + target.string());
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, pattern)) {
            path = pattern;
            return fd;
        }
        ::close(fd);
        if (attempt == 8) {
            throw std::system_error(EBUSY, std::generic_category(),
                                    "cannot create a file beside " + target.string());
        }
    }
}

} // namespace

int AtomicFile::removeStale(const std::filesystem::path& target)
{
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string prefix = target.filename().string() + std::string(kInfix);
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    int removed = 0;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kRandomPart) {
            continue;
        }
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        // A lock that can be taken has no writer: the program that made the file is gone.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, it->path()) &&
            ::unlink(it->path().c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target))
{
    removeStale(m_target);
    const int fd = createLocked(m_target, m_temporary);
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
    // Renamed while still open and locked, so no clean-up takes the finished file for a left
    // over one.
    if (m_error == 0) {
        std::error_code renamed;
        std::filesystem::rename(m_temporary, m_target, renamed);
        m_error = renamed.value();
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0 && m_error == 0) {
        m_error = errno;
    }
    if (m_error != 0) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
        throw std::system_error(m_error, std::generic_category(),
                                "cannot write " + m_target.string());
    }
}

} // namespace listrion::playlist
