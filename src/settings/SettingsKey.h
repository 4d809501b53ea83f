#pragma once

#include <array>
#include <string_view>

namespace listrion::settings {

// One entry of Settings.ini: a section and a key (almost always "1").
struct SettingsKey {
    std::string_view section;
    std::string_view key;
};

// Every entry the program reads or writes. Call sites use these, never literal names.
namespace Keys {
inline constexpr SettingsKey Jezik{"Jezik", "1"};       // language file name
inline constexpr SettingsKey Language{"Language", "1"}; // position in the language menu, 1..13
inline constexpr SettingsKey Region{"Region", "1"};     // character-set region
inline constexpr SettingsKey Germany{"Germany", "1"};   // "1": language texts used as stored
inline constexpr SettingsKey System{"System", "1"};     // program variant 1..3
inline constexpr SettingsKey Updates{"Updates", "1"};   // "1": update check at start-up
inline constexpr SettingsKey VLC{"VLC", "1"};           // media player found or confirmed
inline constexpr SettingsKey RegAsm{"RegAsm", "1"};     // link-check registration done
inline constexpr SettingsKey URL{"URL", "1"};           // last playlist address that failed
inline constexpr SettingsKey Width{"width", "1"};       // main window size on close
inline constexpr SettingsKey Height{"height", "1"};
inline constexpr SettingsKey Codepage{"Codepage", "1"};         // auto, UTF-8 or a single-byte page
inline constexpr SettingsKey Fallback{"Codepage", "2"};         // single-byte page of "auto"
inline constexpr SettingsKey PozicijaK{"PozicijaK", "1"};       // channel grid row
inline constexpr SettingsKey PozicijaG{"PozicijaG", "1"};       // group grid row
inline constexpr SettingsKey PozicijaUP{"PozicijaUP", "1"};     // row after moving up
inline constexpr SettingsKey PozicijaDown{"PozicijaDown", "1"}; // row after moving down
inline constexpr SettingsKey History{"History", "1"}; // MB of edits the undo history keeps
// Playlist mode: "design" reads and saves playlists without their extras; anything else is full.
inline constexpr SettingsKey M3U{"M3U", "1"};

namespace detail {
inline constexpr std::array<std::string_view, 10> kDigits = {"0", "1", "2", "3", "4",
                                                             "5", "6", "7", "8", "9"};
}
// Fonts 1/2: channel grid font name and size; 3/4: group grid font name and size.
constexpr SettingsKey fonts(int n)
{
    return {"Fonts", detail::kDigits.at(n)};
}
inline constexpr SettingsKey ChannelFontName = fonts(1);
inline constexpr SettingsKey ChannelFontSize = fonts(2);
inline constexpr SettingsKey GroupFontName = fonts(3);
inline constexpr SettingsKey GroupFontSize = fonts(4);
// Width of grid column n (1..9).
constexpr SettingsKey sirina(int n)
{
    return {"Sirina", detail::kDigits.at(n)};
}
// The width of grid column n (1..9) in twips when Sirina n is empty: the channel grid's name,
// tvg-name, EPG ID, link, logo and type, then the group grid's name, type and count.
constexpr int builtInWidth(int n)
{
    constexpr std::array<int, 9> kWidths = {3200, 3200, 3200, 7000, 7000, 3200, 2900, 1100, 1000};
    return kWidths.at(n - 1);
}
// Whether grid column n (1..9) is shown.
constexpr SettingsKey prikaz(int n)
{
    return {"Prikaz", detail::kDigits.at(n)};
}
} // namespace Keys

} // namespace listrion::settings
