#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::settings {

// The playlist files and addresses opened last, newest first, kept in Settings.ini under
// [Recent] with keys 1..10. Each change reads the file afresh and writes it whole.
class RecentPlaylists {
public:
    static constexpr std::size_t kLimit = 10;

    explicit RecentPlaylists(std::filesystem::path iniFile) : m_file(std::move(iniFile)) {}

    // The entries, newest first, without empty keys or repeats.
    std::vector<std::string> entries() const;
    // Puts `entry` first, dropping an earlier place of it and what falls beyond the limit.
    bool add(std::string_view entry) const;
    bool remove(std::string_view entry) const;
    // An address (opened by downloading) rather than a file: it names a scheme.
    static bool isAddress(std::string_view entry);

private:
    bool store(const std::vector<std::string>& entries) const;

    std::filesystem::path m_file;
};

} // namespace listrion::settings
