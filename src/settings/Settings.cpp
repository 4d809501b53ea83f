#include "settings/Settings.h"

#include "settings/IniDocument.h"

#include <charconv>

namespace listrion::settings {

std::string Settings::read(SettingsKey key) const
{
    return INIhandling::read(key.section, key.key, m_file);
}

std::optional<long long> Settings::readNumber(SettingsKey key) const
{
    const std::string text = read(key);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

bool Settings::write(SettingsKey key, std::string_view value) const
{
    return INIhandling::write(key.section, key.key, value, m_file);
}

bool Settings::write(SettingsKey key, long long value) const
{
    return write(key, std::to_string(value));
}

std::string Settings::region() const
{
    std::string value = read(Keys::Region);
    return value.empty() ? std::string(kDefaultRegion) : value;
}

std::string Settings::codepageName() const
{
    std::string value = read(Keys::Codepage);
    return value.empty() ? std::string(kDefaultCodepage) : value;
}

const text::Codepage& Settings::fallbackCodepage() const
{
    const text::Codepage* page = text::Codepage::findSingleByte(read(Keys::Fallback));
    return page != nullptr ? *page : text::Codepage::windows1250();
}

text::CodepageChoice Settings::codepageChoice() const
{
    const text::Codepage& fallback = fallbackCodepage();
    return text::CodepageChoice::parse(codepageName(), fallback)
        .value_or(text::CodepageChoice{&fallback, true});
}

const text::Codepage& Settings::codepage() const
{
    return *codepageChoice().page;
}

long long Settings::historyCapBytes() const
{
    const std::optional<long long> megabytes = readNumber(Keys::History);
    return (megabytes && *megabytes > 0 ? *megabytes : 256) << 20;
}

} // namespace listrion::settings
