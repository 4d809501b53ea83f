#pragma once

#include "settings/IniDocument.h"
#include "settings/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/TextSource.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace listrion::settings {

// The texts of one language file (*.lng): an INI file whose values are UTF-8, any byte of them
// possibly written as '%' and two hexadecimal digits. The raw language's file holds
// windows-1250 text that is shown as stored, without percent-decoding. The file is read once,
// when the object is made; a missing file gives empty texts.
class LanguageFile : public TextSource {
public:
    // The file of the language in use (Jezik 1, "English.lng" when empty) in the program
    // folder, raw when Languages::rawTexts says so.
    static LanguageFile current(const Settings& settings, const ProgramFolder& folder);

    LanguageFile(std::filesystem::path file, bool raw);

    const std::filesystem::path& path() const { return m_path; }
    bool raw() const { return m_raw; }

    using TextSource::text;
    std::string text(std::string_view section, int key) const override;
    // Whether the file has the key at all (a missing key and an empty text both give "").
    bool contains(std::string_view section, int key) const;

    // The text shown for a value as the INI reader gives it.
    static std::string decode(std::string_view stored, bool raw);

private:
    std::filesystem::path m_path;
    bool m_raw;
    IniDocument m_document;
};

// The language in use with the shipped English file behind it: a key that the program folder's
// copy of the language file lacks (a copy an older version installed there) shows its English
// text rather than an empty caption. A key the file has, even empty, is taken as it is.
class CurrentTexts : public TextSource {
public:
    CurrentTexts(const Settings& settings, const ProgramFolder& folder);

    using TextSource::text;
    std::string text(std::string_view section, int key) const override;

private:
    LanguageFile m_language;
    LanguageFile m_english;
};

} // namespace listrion::settings
