#include "settings/StartupSettings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::settings {
namespace {

TEST(StartupSettings, FirstStartWritesTheNewFileAndTheEmptyDefaults)
{
    test::TempFolder temp;
    const Settings settings(temp.file("Settings.ini"));
    const StartupSettings first = StartupSettings::apply(settings);
    const std::string written = test::readFile(settings.file());
    EXPECT_EQ(written, "[Jezik]\n1=English.lng\n[System]\n1=1\n[Updates]\n1=1\n[Germany]\n1=0\n");
    EXPECT_EQ(first.languageFile, "English.lng");
    EXPECT_EQ(first.region, "Central European");
    EXPECT_TRUE(first.checkForUpdates);
    EXPECT_FALSE(first.rawLanguageTexts);
    // No language chosen yet: the first menu entry is checked although English is shown.
    EXPECT_EQ(first.languagePosition, 1);
    EXPECT_EQ(first.system, 1);

    // A second start finds nothing to fill and changes nothing.
    StartupSettings::apply(settings);
    EXPECT_EQ(test::readFile(settings.file()), written);
}

TEST(StartupSettings, StoredValuesAreKeptAndOnlyEmptyEntriesFilled)
{
    test::TempFolder temp;
    const auto file = temp.write("Settings.ini", "; user notes\r\n[updates]\r\n1=0\r\n"
                                                 "[System]\r\n1=\r\n[Language]\r\n1=13\r\n"
                                                 "[Jezik]\r\n1=Turkish.lng\r\n"
                                                 "[Region]\r\n1=Turkish\r\n");
    const StartupSettings values = StartupSettings::apply(Settings(file));
    EXPECT_EQ(test::readFile(file), "; user notes\r\n[updates]\r\n1=0\r\n"
                                    "[System]\r\n1=1\r\n[Language]\r\n1=13\r\n"
                                    "[Jezik]\r\n1=Turkish.lng\r\n[Region]\r\n1=Turkish\r\n"
                                    "[Germany]\r\n1=0\r\n");
    EXPECT_FALSE(values.checkForUpdates);
    EXPECT_EQ(values.languageFile, "Turkish.lng");
    EXPECT_EQ(values.region, "Turkish");
    EXPECT_EQ(values.languagePosition, 13);
}

TEST(StartupSettings, MenuEntriesFollowTheStoredNumbers)
{
    test::TempFolder temp;
    const Settings settings(temp.file("Settings.ini"));
    StartupSettings::apply(settings);
    struct Case {
        const char* stored;
        int system;   // entry of the variant menu
        int language; // entry of the language menu
    };
    // Missing, unreadable and 0 count as 1; a number without an entry checks none.
    for (const Case& c : {Case{"0", 1, 1}, Case{"x", 1, 1}, Case{"2", 2, 2}, Case{"3", 3, 3},
                          Case{"4", 0, 4}, Case{"13", 0, 13}, Case{"14", 0, 0}, Case{"-1", 0, 0}}) {
        settings.write(Keys::System, c.stored);
        settings.write(Keys::Language, c.stored);
        const StartupSettings values = StartupSettings::apply(settings);
        EXPECT_EQ(values.system, c.system) << c.stored;
        EXPECT_EQ(values.languagePosition, c.language) << c.stored;
    }
    settings.write(Keys::Updates, "2");
    EXPECT_FALSE(StartupSettings::apply(settings).checkForUpdates);
}

} // namespace
} // namespace listrion::settings
