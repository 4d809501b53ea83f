#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace listrion::playlist {

// A file written beside its target and renamed over it only when complete, so the target is
// either the old file or the whole new one. Without commit() the temporary file is removed.
// The temporary file is named TARGET.listrion-XXXXXX and locked while it is written, so what a
// killed program left (its lock died with it) is told apart from what another program is
// writing now: the next file written for the same target removes it.
class AtomicFile {
public:
    // Throws std::system_error when the temporary file cannot be created.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once a write has failed (the file is then not committed).
    bool write(std::string_view bytes);
    // Throws std::system_error when a write failed or the file cannot be put in place.
    void commit();

    const std::filesystem::path& temporaryPath() const { return m_temporary; }

    // Removes the temporary files of `target` that nobody is writing (left by a program that
    // was killed); the number removed.
    static int removeStale(const std::filesystem::path& target);

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::FILE* m_file = nullptr;
    int m_error = 0;
};

} // namespace listrion::playlist
