#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace listrion::settings {

// Font and character set the editing grids give the text of one region.
struct RegionFont {
    std::string_view font;
    // Character-set number as the grids' fonts know it: 0 western, 1 default, 128 Japanese,
    // 129 Korean, 136 traditional Chinese (Big5), 161 Greek, 162 Turkish, 163 Vietnamese,
    // 177 Hebrew, 178 Arabic, 204 Cyrillic, 222 Thai, 238 Central European.
    int characterSet;
};

// The character-set regions of Region 1: which regions the Settings window offers, the font and
// character set of each, and the fonts offered for it. Region names are compared exactly.
namespace Regions {

// The regions the Settings window offers, in its order.
std::span<const std::string_view> offered();

// Font and character set for a region the program recognises (the offered ones and "Korean",
// "USA", "Russian", "Chinese"); nothing for any other text.
std::optional<RegionFont> font(std::string_view region);

// The font names the Settings window offers for a region, in order; empty for a region
// without a list.
std::span<const std::string_view> offeredFonts(std::string_view region);

// The font sizes offered for every region.
inline constexpr int kSmallestFontSize = 6;
inline constexpr int kLargestFontSize = 20;

} // namespace Regions
} // namespace listrion::settings
