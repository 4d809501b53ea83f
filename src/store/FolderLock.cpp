#include "store/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

namespace listrion::store {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kPoll{50};

fs::path folderOf(const fs::path& dataMdb)
{
    return dataMdb.has_parent_path() ? dataMdb.parent_path() : fs::path(".");
}

// A path that exists and must not be written. A file without any write permission is taken
// as meant to stay as it is even by a user (root) whom the system would let write it.
bool notWritable(const fs::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    if ((info.st_mode & 0222) == 0) {
        return true;
    }
    if (::access(path.c_str(), W_OK) != 0) {
        return errno == EACCES || errno == EROFS || errno == EPERM;
    }
    struct statvfs volume {};
    return ::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0;
}

} // namespace

bool storeIsReadOnly(const fs::path& dataMdb)
{
    return notWritable(folderOf(dataMdb)) || notWritable(dataMdb);
}

FolderLock FolderLock::acquire(const fs::path& dataMdb, std::chrono::milliseconds wait)
{
    FolderLock lock;
    if (storeIsReadOnly(dataMdb)) {
        lock.m_status = Status::ReadOnly;
        return lock;
    }
    const fs::path file = dataMdb.string() + ".lock";
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EACCES || errno == EROFS || errno == EPERM) {
            lock.m_status = Status::ReadOnly;
            return lock;
        }
        throw std::system_error(errno, std::generic_category(), "cannot open " + file.string());
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lock.m_fd = fd;
            lock.m_status = Status::Held;
            return lock;
        }
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (error != EWOULDBLOCK) {
                throw std::system_error(error, std::generic_category(),
                                        "cannot lock " + file.string());
            }
            lock.m_status = Status::Busy;
            return lock;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_status(std::exchange(other.m_status, Status::Busy))
{
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_status = std::exchange(other.m_status, Status::Busy);
    }
    return *this;
}

FolderLock::~FolderLock()
{
    release();
}

std::string_view FolderLock::message() const
{
    switch (m_status) {
    case Status::Held:
        return {};
    case Status::Busy:
        return kBusyMessage;
    case Status::ReadOnly:
        return kReadOnlyMessage;
    }
    return kBusyMessage;
}

void FolderLock::release()
{
    if (m_fd >= 0) {
        // Closing the file drops the lock; the file stays for the next program.
        ::close(m_fd);
        m_fd = -1;
        m_status = Status::Busy;
    }
}

} // namespace listrion::store
