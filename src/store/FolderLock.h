#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

namespace listrion::store {

// One writer per program folder: an exclusive lock on data.mdb.lock beside data.mdb, held by
// the editor for its whole run and by every command line that changes the store, from before
// it touches anything until it ends. The system drops the lock with the process however it
// ends, so a killed program never leaves the folder locked. Readers take no lock: each command
// is one transaction (a load swaps its rows in at the end), so they see a whole command or none.
class FolderLock {
public:
    enum class Status {
        Held,     // this object holds the lock
        Busy,     // another program held it for the whole wait
        ReadOnly, // data.mdb or its folder cannot be (or is not to be) written
    };

    static constexpr std::chrono::milliseconds kDefaultWait{3000};
    static constexpr std::string_view kBusyMessage =
        "the playlist is busy in another Listrion window or command";
    static constexpr std::string_view kReadOnlyMessage = "the playlist is read-only";

    // Takes the lock of the folder of `dataMdb`, waiting up to `wait` while another program
    // holds it.
    static FolderLock acquire(const std::filesystem::path& dataMdb,
                              std::chrono::milliseconds wait = kDefaultWait);

    FolderLock() = default;
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    Status status() const { return m_status; }
    bool held() const { return m_status == Status::Held; }
    // The message for a lock not held ("" when it is held).
    std::string_view message() const;
    void release();

private:
    int m_fd = -1;
    Status m_status = Status::Busy;
};

// True when the store is not to be changed: data.mdb or its folder has no write permission
// (for anyone, or for this user) or lies on a read-only file system. A missing data.mdb in a
// writable folder is writable.
bool storeIsReadOnly(const std::filesystem::path& dataMdb);

} // namespace listrion::store
