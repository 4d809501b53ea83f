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
    static constexpr std::string_view kDefaultCodepage = "auto";
    static constexpr std::string_view kDefaultFallback = "windows-1250";

    explicit Settings(std::filesystem::path iniFile) : m_file(std::move(iniFile)) {}

    const std::filesystem::path& file() const { return m_file; }

    std::string read(SettingsKey key) const;
    // The value as a whole number; nothing when missing or not a number.
    std::optional<long long> readNumber(SettingsKey key) const;
    bool write(SettingsKey key, std::string_view value) const;
    bool write(SettingsKey key, long long value) const;

    // Region 1, "Central European" when empty (the default is not written).
    std::string region() const;
    // Codepage 1, "auto" when empty.
    std::string codepageName() const;
    // History 1: the most the undo history keeps, in bytes (256 MB when empty or not a
    // positive number).
    long long historyCapBytes() const;
    // How playlist files are read: Codepage 1 ("auto" when empty or unknown), with the
    // single-byte fallback of Codepage 2.
    text::CodepageChoice codepageChoice() const;
    // Codepage 2: the single-byte code page of "auto", windows-1250 when the entry is empty or
    // names no single-byte code page the program knows.
    const text::Codepage& fallbackCodepage() const;
    // The code page of a playlist whose store records none (one read before code pages were
    // recorded): the one Codepage 1 names, the fallback for "auto".
    const text::Codepage& codepage() const;

private:
    std::filesystem::path m_file;
};

} // namespace listrion::settings
