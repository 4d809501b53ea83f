#include "settings/LanguageFile.h"

#include "settings/Languages.h"
#include "text/AsciiCase.h"
#include "text/Codepage.h"
#include "text/Utf8Decoding.h"

namespace listrion::settings {
namespace {

// The file of the folder with this name; file names were case-blind where the language files
// come from, so a name that differs only in letter case still finds its file.
std::filesystem::path fileInFolder(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) {
        return folder / name;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (text::equalsIgnoringAsciiCase(entry.path().filename().string(), name)) {
            return entry.path();
        }
    }
    return folder / name;
}

} // namespace

LanguageFile LanguageFile::current(const Settings& settings, const ProgramFolder& folder)
{
    // Only the file name counts: a Jezik entry holding a path still names a file of the
    // program folder.
    const std::string name =
        std::filesystem::path(Languages::currentFile(settings)).filename().string();
    return LanguageFile(fileInFolder(folder.path(), name), Languages::rawTexts(settings));
}

LanguageFile::LanguageFile(std::filesystem::path file, bool raw)
    : m_path(std::move(file)), m_raw(raw), m_document(IniDocument::load(m_path))
{
}

std::string LanguageFile::text(std::string_view section, int key) const
{
    return decode(m_document.value(section, std::to_string(key)), m_raw);
}

bool LanguageFile::contains(std::string_view section, int key) const
{
    return m_document.hasValue(section, std::to_string(key));
}

std::string LanguageFile::decode(std::string_view stored, bool raw)
{
    // The INI reader gives the file's bytes; raw texts are windows-1250 text shown as written.
    if (raw) {
        return listrion::text::Codepage::windows1250().decode(stored);
    }
    return listrion::text::decodePercentUtf8(stored);
}

CurrentTexts::CurrentTexts(const Settings& settings, const ProgramFolder& folder)
    : m_language(LanguageFile::current(settings, folder)),
      m_english(ProgramFolder::shippedDataFolder() / "English.lng", false)
{
}

std::string CurrentTexts::text(std::string_view section, int key) const
{
    return m_language.contains(section, key) ? m_language.text(section, key)
                                             : m_english.text(section, key);
}

} // namespace listrion::settings
