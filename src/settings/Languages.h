#pragma once

#include "settings/Settings.h"

#include <span>
#include <string>
#include <string_view>

namespace listrion::settings {

// One entry of the language menu.
struct Language {
    int position;              // 1..13, its place in the menu
    std::string_view caption;  // shown in the menu
    std::string_view file;     // language file in the program folder
    std::string_view region;   // Region 1 set together with the language
    bool raw;                  // texts shown as stored (windows-1250), without decoding
    std::string_view qtLocale; // the language of Qt's own translations (qtbase_<qtLocale>)
};

// The thirteen interface languages and the settings that choose one.
namespace Languages {

inline constexpr std::string_view kDefaultFile = "English.lng";

// The menu entries in menu order.
std::span<const Language> all();
// The entry at a menu position; nullptr outside 1..13.
const Language* at(int position);
// The entry whose file has this name (letter case ignored); nullptr when none has.
const Language* byFile(std::string_view fileName);

// Choosing menu entry `position`: stores Jezik 1 (its file), Language 1 (the position),
// Region 1 (its region) and Germany 1 ("1" for the raw language, else "0"). Returns the entry,
// or nullptr (and writes nothing) outside 1..13.
const Language* choose(const Settings& settings, int position);

// The menu entry checked at start-up: Language 1 as a number, a missing or unreadable value and
// 0 counting as 1. 0 when the number names no entry (nothing is checked then).
int checkedPosition(const Settings& settings);

// The language file in use: Jezik 1, "English.lng" when empty.
std::string currentFile(const Settings& settings);
// Whether the texts of the language in use are shown as stored: Germany 1 is 1, or the file in
// use is the one of the raw language.
bool rawTexts(const Settings& settings);

} // namespace Languages
} // namespace listrion::settings
