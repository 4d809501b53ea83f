#include "settings/Languages.h"

#include "text/AsciiCase.h"

#include <algorithm>
#include <array>

namespace listrion::settings::Languages {
namespace {

constexpr std::array<Language, 13> kLanguages = {{
    {1, "Albanien", "Albanien.lng", "Central European", false, "sq"},
    {2, "Croatien", "Croatien.lng", "Balkan", false, "hr"},
    {3, "Czech", "Czech.lng", "Central European", false, "cs"},
    {4, "English", "English.lng", "Western European", false, "en"},
    {5, "French", "French.lng", "Western European", false, "fr"},
    {6, "Germany", "Germany.lng", "Central European", true, "de"},
    {7, "Hungarian", "Hungarian.lng", "Central European", false, "hu"},
    {8, "Italian", "Italian.lng", "Central European", false, "it"},
    {9, "Polish", "Polish.lng", "Central European", false, "pl"},
    {10, "Spanish", "Spanish.lng", "Central European", false, "es"},
    {11, "Slovenien", "Slovenien.lng", "Balkan", false, "sl"},
    {12, "Slovak", "Slovak.lng", "Central European", false, "sk"},
    {13, "Turkish", "Turkish.lng", "Turkish", false, "tr"},
}};

} // namespace

std::span<const Language> all()
{
    return kLanguages;
}

const Language* at(int position)
{
    if (position < 1 || position > static_cast<int>(kLanguages.size())) {
        return nullptr;
    }
    return &kLanguages[static_cast<std::size_t>(position - 1)];
}

const Language* byFile(std::string_view fileName)
{
    const auto it = std::find_if(kLanguages.begin(), kLanguages.end(), [&](const Language& l) {
        return text::equalsIgnoringAsciiCase(l.file, fileName);
    });
    return it == kLanguages.end() ? nullptr : &*it;
}

const Language* choose(const Settings& settings, int position)
{
    const Language* language = at(position);
    if (language == nullptr) {
        return nullptr;
    }
    settings.write(Keys::Jezik, language->file.empty() ? kDefaultFile : language->file);
    settings.write(Keys::Language, position);
    settings.write(Keys::Region, language->region);
    settings.write(Keys::Germany, language->raw ? "1" : "0");
    return language;
}

int checkedPosition(const Settings& settings)
{
    const long long stored = settings.readNumber(Keys::Language).value_or(0);
    const long long position = stored == 0 ? 1 : stored;
    if (position < 1 || position > static_cast<long long>(kLanguages.size())) {
        return 0;
    }
    return static_cast<int>(position);
}

std::string currentFile(const Settings& settings)
{
    std::string file = settings.read(Keys::Jezik);
    return file.empty() ? std::string(kDefaultFile) : file;
}

bool rawTexts(const Settings& settings)
{
    if (settings.readNumber(Keys::Germany) == 1) {
        return true;
    }
    const Language* language = byFile(currentFile(settings));
    return language != nullptr && language->raw;
}

} // namespace listrion::settings::Languages
