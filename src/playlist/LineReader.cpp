#include "playlist/LineReader.h"

#include "playlist/SourceError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace listrion::playlist {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
// No playlist line comes near this; a file that does is not read into memory whole.
constexpr std::size_t kLongestLine = std::size_t{256} << 20;

std::string describe(const std::filesystem::path& path, int error)
{
    return path.string() + ": " + std::strerror(error);
}

// Why a file that is not a regular file cannot be read as a playlist.
const char* notAPlaylistFile(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return ": is a folder, not a playlist file";
    }
    if (S_ISFIFO(mode)) {
        return ": is a pipe (FIFO), not a playlist file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return ": is a device, not a playlist file";
    }
    if (S_ISSOCK(mode)) {
        return ": is a socket, not a playlist file";
    }
    return ": is not a regular file";
}

LineReader::Stamp stampOf(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace

LineReader::LineReader(const std::filesystem::path& file) : m_path(file)
{
    // Without O_NONBLOCK opening a FIFO waits for a writer, for ever; a regular file does not
    // care, and its reads block as usual.
    m_fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        const int error = errno;
        throw SourceError(describe(file, error), error == ENOENT || error == ENOTDIR);
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const char* what = notAPlaylistFile(info.st_mode);
        ::close(m_fd);
        m_fd = -1;
        throw SourceError(file.string() + what, false);
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_size = static_cast<std::int64_t>(info.st_size);
    m_stamp = stampOf(info);
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_buffer.resize(kBlockSize);
}

bool LineReader::unchanged() const
{
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !(stampOf(info) == m_stamp)) {
        return false;
    }
    return !m_eof || m_bytesRead == m_size;
}

LineReader::~LineReader()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool LineReader::next(std::string_view& line)
{
    for (;;) {
        if (m_skipLf && m_begin < m_end) {
            m_begin += m_buffer[m_begin] == '\n' ? 1 : 0;
            m_skipLf = false;
        }
        const std::size_t lf = nextLf();
        const void* cr = std::memchr(m_buffer.data() + m_begin, '\r', lf - m_begin);
        const std::size_t end =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - m_buffer.data()) : lf;
        if (end < m_end) {
            line = {m_buffer.data() + m_begin, end - m_begin};
            consumeLineEnd(end);
            return true;
        }
        if (!m_eof) {
            fill();
            continue;
        }
        m_skipLf = false;
        if (m_begin == m_end) {
            return false;
        }
        line = {m_buffer.data() + m_begin, m_end - m_begin};
        m_begin = m_end;
        return true;
    }
}

std::size_t LineReader::nextLf()
{
    if (m_lf != kNone && m_lf >= m_begin) {
        return m_lf;
    }
    const std::size_t from = std::max(m_begin, m_lfScanned);
    const void* hit = std::memchr(m_buffer.data() + from, '\n', m_end - from);
    if (hit != nullptr) {
        m_lf = static_cast<std::size_t>(static_cast<const char*>(hit) - m_buffer.data());
        return m_lf;
    }
    m_lf = kNone;
    m_lfScanned = m_end;
    return m_end;
}

void LineReader::consumeLineEnd(std::size_t end)
{
    m_begin = end + 1;
    if (m_buffer[end] != '\r') {
        return;
    }
    if (m_begin < m_end) {
        m_begin += m_buffer[m_begin] == '\n' ? 1 : 0;
    } else {
        m_skipLf = true;
    }
}

void LineReader::fill()
{
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_lf = (m_lf != kNone && m_lf >= m_begin) ? m_lf - m_begin : kNone;
        m_lfScanned = m_lfScanned > m_begin ? m_lfScanned - m_begin : 0;
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        if (m_buffer.size() >= kLongestLine) {
            throw SourceError(m_path.string() + ": a line is longer than 256 MiB", false);
        }
        m_buffer.resize(m_buffer.size() * 2);
    }
    ssize_t got = 0;
    do {
        got = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        throw SourceError(describe(m_path, errno), false);
    }
    m_eof = got == 0;
    m_end += static_cast<std::size_t>(got);
    m_bytesRead += got;
}

} // namespace listrion::playlist
