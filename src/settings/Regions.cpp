#include "settings/Regions.h"

#include <algorithm>
#include <array>

namespace listrion::settings::Regions {
namespace {

constexpr std::array<std::string_view, 11> kOffered = {
    "Greek",    "Arabic", "Balkan",  "Central European",      "Western European", "Hebrew",
    "Japanese", "Thai",   "Turkish", "Chinese (traditional)", "Vietnamese",
};

struct RegionEntry {
    std::string_view region;
    RegionFont font;
};

// "Chinese (traditional)" is offered but has no row of its own in the grids' table; it takes
// the row of "Chinese", whose character set 136 (Big5) is the traditional one.
constexpr std::array<RegionEntry, 15> kFonts = {{
    {"Greek", {"Arial", 161}},
    {"Arabic", {"Tahoma", 178}},
    {"Hebrew", {"Arial", 177}},
    {"Japanese", {"Arial", 128}},
    {"Korean", {"Arial", 129}},
    {"Thai", {"Arial", 222}},
    {"Turkish", {"Arial", 162}},
    {"Balkan", {"Segoe UI", 1}},
    {"Central European", {"Segoe UI", 238}},
    {"Western European", {"Segoe UI", 0}},
    {"USA", {"Arial", 0}},
    {"Russian", {"Arial", 204}},
    {"Chinese", {"Arial", 136}},
    {"Vietnamese", {"Arial", 163}},
    {"Chinese (traditional)", {"Arial", 136}},
}};

constexpr std::array<std::string_view, 4> kArabicFonts = {"Arial", "Times New Roman", "Courier New",
                                                          "Tahoma"};
constexpr std::array<std::string_view, 5> kCommonFonts = {"Arial", "Times New Roman", "Courier New",
                                                          "Verdana", "Georgia"};
constexpr std::array<std::string_view, 6> kBalkanFonts = {"Arial",  "Times New Roman", "Calibri",
                                                          "Tahoma", "Courier New",     "Georgia"};
constexpr std::array<std::string_view, 10> kWesternFonts = {
    "Arial",  "Courier",       "Courier New", "Georgia",         "Helvetica",
    "Impact", "MS Sans Serif", "MS Serif",    "Times New Roman", "Verdana"};
constexpr std::array<std::string_view, 5> kHebrewFonts = {"Arial", "Times New Roman", "Georgia",
                                                          "Courier New", "Verdana"};
constexpr std::array<std::string_view, 6> kVietnameseFonts = {
    "Arial", "Times New Roman", "Verdana", "Tahoma", "Courier New", "Georgia"};
constexpr std::array<std::string_view, 4> kChineseFonts = {"Arial", "Times New Roman", "Tahoma",
                                                           "Courier New"};

struct FontList {
    std::string_view region;
    std::span<const std::string_view> fonts;
};

const std::array<FontList, 11> kFontLists = {{
    {"Arabic", kArabicFonts},
    {"Greek", kCommonFonts},
    {"Central European", kCommonFonts},
    {"Japanese", kCommonFonts},
    {"Thai", kCommonFonts},
    {"Turkish", kCommonFonts},
    {"Balkan", kBalkanFonts},
    {"Western European", kWesternFonts},
    {"Hebrew", kHebrewFonts},
    {"Vietnamese", kVietnameseFonts},
    {"Chinese (traditional)", kChineseFonts},
}};

} // namespace

std::span<const std::string_view> offered()
{
    return kOffered;
}

std::optional<RegionFont> font(std::string_view region)
{
    const auto it = std::find_if(kFonts.begin(), kFonts.end(),
                                 [&](const RegionEntry& e) { return e.region == region; });
    if (it == kFonts.end()) {
        return std::nullopt;
    }
    return it->font;
}

std::span<const std::string_view> offeredFonts(std::string_view region)
{
    const auto it = std::find_if(kFontLists.begin(), kFontLists.end(),
                                 [&](const FontList& l) { return l.region == region; });
    if (it == kFontLists.end()) {
        return {};
    }
    return it->fonts;
}

} // namespace listrion::settings::Regions
