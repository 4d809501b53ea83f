#pragma once

#include "settings/SettingsKey.h"
#include "text/Codepage.h"

#include <filesystem>
#include <optional>
#include <string>

namespace listrion::settings {

// Settings.ini of the program folder, read and written entry by entry (each access reads the
// file afresh, so several windows and the command line always see the same values).
class Settings {
public:
    static constexpr std::string_view kDefaultRegion = "Central European";
    static constexpr std::string_view kDefaultCodepage = "windows-1250";

    explicit Settings(std::filesystem::path iniFile) : m_file(std::move(iniFile)) {}

    const std::filesystem::path& file() const { return m_file; }

    std::string read(SettingsKey key) const;
    // The value as a whole number; nothing when missing or not a number.
    std::optional<long long> readNumber(SettingsKey key) const;
    bool write(SettingsKey key, std::string_view value) const;
    bool write(SettingsKey key, long long value) const;

    // Region 1, "Central European" when empty (the default is not written).
    std::string region() const;
    // Codepage 1, "windows-1250" when empty.
    std::string codepageName() const;
    // History 1: the most the undo history keeps, in bytes (256 MB when empty or not a
    // positive number).
    long long historyCapBytes() const;
    // The single-byte code page of playlist files: the one named by Codepage 1, windows-1250
    // when the entry is empty or names a code page the program does not know.
    const text::Codepage& codepage() const;

private:
    std::filesystem::path m_file;
};

} // namespace listrion::settings
