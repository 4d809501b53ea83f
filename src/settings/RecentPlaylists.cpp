#include "settings/RecentPlaylists.h"

#include "settings/IniDocument.h"
#include "text/AsciiCase.h"

#include <algorithm>
#include <cctype>

namespace listrion::settings {

namespace {

constexpr std::string_view kSection = "Recent";

} // namespace

std::vector<std::string> RecentPlaylists::entries() const
{
    // Read from the key lines rather than as profile values, which are cut to 254 characters:
    // a path or an address may be longer.
    const std::vector<IniDocument::Entry> lines = IniDocument::load(m_file).entries();
    std::vector<std::string> found;
    for (std::size_t n = 1; n <= kLimit; ++n) {
        const std::string key = std::to_string(n);
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const auto& e) {
            return text::equalsIgnoringAsciiCase(e.section, kSection) && e.key == key;
        });
        if (line == lines.end()) {
            continue;
        }
        std::string value(IniDocument::unquote(line->text));
        if (!value.empty() && std::find(found.begin(), found.end(), value) == found.end()) {
            found.push_back(std::move(value));
        }
    }
    return found;
}

bool RecentPlaylists::add(std::string_view entry) const
{
    if (entry.empty()) {
        return false;
    }
    std::vector<std::string> list = entries();
    std::erase(list, entry);
    list.insert(list.begin(), std::string(entry));
    if (list.size() > kLimit) {
        list.resize(kLimit);
    }
    return store(list);
}

bool RecentPlaylists::remove(std::string_view entry) const
{
    std::vector<std::string> list = entries();
    if (std::erase(list, entry) == 0) {
        return true;
    }
    return store(list);
}

bool RecentPlaylists::isAddress(std::string_view entry)
{
    const std::size_t colon = entry.find("://");
    return colon != std::string_view::npos && colon > 0 &&
           std::all_of(entry.begin(), entry.begin() + static_cast<std::ptrdiff_t>(colon),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool RecentPlaylists::store(const std::vector<std::string>& list) const
{
    // One document written once: the list never shows half an update.
    IniDocument ini = IniDocument::load(m_file);
    for (std::size_t n = 1; n <= kLimit; ++n) {
        const std::string key = std::to_string(n);
        if (n <= list.size()) {
            ini.setValue(kSection, key, list[n - 1]);
        } else if (ini.hasValue(kSection, key)) {
            ini.setValue(kSection, key, "");
        }
    }
    return ini.save(m_file);
}

} // namespace listrion::settings
