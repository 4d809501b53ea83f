#include "settings/StartupSettings.h"

#include "settings/IniDocument.h"
#include "settings/Languages.h"

#include <filesystem>

namespace listrion::settings {
namespace {

void createWhenMissing(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) {
        IniDocument::parse(std::string(StartupSettings::kNewFile)).save(file);
    }
}

void writeWhenEmpty(const Settings& settings, SettingsKey key, std::string_view value)
{
    if (settings.read(key).empty()) {
        settings.write(key, value);
    }
}

// The variant menu entry: a missing or unreadable value counts as 0, and 0 as 1.
int systemEntry(const Settings& settings)
{
    const long long value = settings.readNumber(Keys::System).value_or(0);
    if (value == 0) {
        return 1;
    }
    return value >= 1 && value <= 3 ? static_cast<int>(value) : 0;
}

} // namespace

StartupSettings StartupSettings::apply(const Settings& settings)
{
    createWhenMissing(settings.file());
    writeWhenEmpty(settings, Keys::Updates, "1");
    writeWhenEmpty(settings, Keys::System, "1");
    writeWhenEmpty(settings, Keys::Germany, "0");

    StartupSettings values;
    values.languageFile = Languages::currentFile(settings);
    values.region = settings.region();
    values.checkForUpdates = settings.readNumber(Keys::Updates) == 1;
    values.rawLanguageTexts = Languages::rawTexts(settings);
    values.languagePosition = Languages::checkedPosition(settings);
    values.system = systemEntry(settings);
    return values;
}

} // namespace listrion::settings
