#pragma once

#include "settings/Settings.h"

#include <string>

namespace listrion::settings {

// What the main window takes from Settings.ini when it starts.
struct StartupSettings {
    std::string languageFile; // Jezik 1, "English.lng" when empty
    std::string region;       // Region 1, "Central European" when empty
    bool checkForUpdates;     // Updates 1 is 1: the menu entry is checked, the check runs
    bool rawLanguageTexts;    // language texts shown as stored (Languages::rawTexts)
    int languagePosition;     // language menu entry to check; 0 for none
    int system;               // program-variant menu entry to check, 1..3; 0 for none

    // The start-up sequence of Settings.ini: creates the file with "[Jezik]", "1=English.lng",
    // "[System]", "1=1" when it is missing, then writes Updates 1 = "1", System 1 = "1" and
    // Germany 1 = "0" where they are empty, and reads the values above. The region default is
    // used, not written. Write failures are not reported.
    static StartupSettings apply(const Settings& settings);

    // The first content of a missing Settings.ini.
    static constexpr std::string_view kNewFile = "[Jezik]\n1=English.lng\n[System]\n1=1\n";
};

} // namespace listrion::settings
