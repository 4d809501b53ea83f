#include "listrion/Version.h"
#include "settings/TextCatalogue.h"
#include "settings/VersionNumber.h"
#include "support/CliRunner.h"
#include "support/LinkTestServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace listrion {
namespace {

TEST(CliSettings, AFreshFolderIsPreparedAsTheEditorWouldAndShowsEnglish)
{
    test::TempFolder home;
    const test::CliResult r = test::runCli(home.path() / "new", {"text", "main", "60"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Do you want to save the current playlist first?\n");
    EXPECT_EQ(test::readFile(home.path() / "new" / "Settings.ini"),
              "[Jezik]\n1=English.lng\n[System]\n1=1\n[Updates]\n1=1\n[Germany]\n1=0\n");
    EXPECT_TRUE(std::filesystem::exists(home.path() / "new" / "English.lng"));

    const test::CliResult missing = test::runCli(home.path() / "new", {"text", "Main", "999"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Main/999 is not in English.lng"), std::string::npos) << missing.err;
}

TEST(CliSettings, LanguageChoiceAndSettingsEntries)
{
    test::TempFolder home;
    home.write("Germany.lng", "[Main]\n20=%C5%A1 \xE4\n");

    const test::CliResult german = test::runCli(home.path(), {"language", "6"});
    ASSERT_EQ(german.exitCode, 0) << german.err;
    EXPECT_NE(german.out.find("* 6\tGermany\tGermany.lng\tCentral European\traw\n"),
              std::string::npos)
        << german.out;
    EXPECT_EQ(test::runCli(home.path(), {"text", "Main", "20"}).out, "%C5%A1 ä\n");

    EXPECT_EQ(test::runCli(home.path(), {"language", "14"}).exitCode, 2);
    EXPECT_EQ(test::runCli(home.path(), {"settings", "get", "Jezik", "1"}).out, "Germany.lng\n");

    ASSERT_EQ(test::runCli(home.path(), {"settings", "set", "Fonts", "1", "Verdana"}).exitCode, 0);
    EXPECT_EQ(test::runCli(home.path(), {"settings", "get", "fonts", "1"}).out, "Verdana\n");
    EXPECT_EQ(test::runCli(home.path(), {"settings", "remove", "Fonts", "1"}).exitCode, 2);
}

TEST(CliSettings, CheckLanguageListsWhatATranslatorMustFix)
{
    test::TempFolder home;
    // Both files hold every text the program uses, so that only the difference is reported.
    const auto languageFile = [](const std::string& mainKeys) {
        std::map<std::string, std::string> sections{{"Main", mainKeys}};
        for (const settings::Texts::Entry& entry : settings::Texts::kAll) {
            sections[std::string(entry.key.section)] += std::to_string(entry.key.key) + "=x\n";
        }
        std::string text;
        for (const auto& [section, keys] : sections) {
            text += "[" + section + "]\n" + keys;
        }
        return text;
    };
    // Main/1 and Main/2 are texts the program does not use.
    home.write("English.lng", languageFile("1=Save?\n2=Undone.\n"));
    const auto polish = home.write("Polish.lng", languageFile("1=Zapisa%C4%87?\n"));
    const test::CliResult r = test::runCli(home.path(), {"check-language", polish.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Polish.lng: Main/2 is missing\nPolish.lng: 1 problem\n");

    // The shipped files themselves pass.
    const test::CliResult shipped = test::runCli(home.path(), {"check-language"});
    EXPECT_EQ(shipped.exitCode, 0) << shipped.out;
    EXPECT_NE(shipped.out.find("English.lng: ok\n"), std::string::npos) << shipped.out;
}

TEST(CliSettings, VersionAndUpdateCheck)
{
    test::TempFolder home;
    test::LinkTestServer server;
    const settings::VersionNumber own = settings::VersionNumber::own();
    EXPECT_EQ(test::runOneLine(home.path(), {"version"}), std::string(kVersionText) + "\n");
    EXPECT_EQ(own.dotted(), kVersionText); // three numbers, from the project version
    const auto check = [&](const std::string& path, int exitCode = 0) {
        return test::runOneLine(home.path(), {"check-update", "--url", server.url(path)}, exitCode);
    };
    const std::string next = std::to_string(own.parts[0] + 1);
    EXPECT_EQ(check("/echo?text=" + next), "newer: " + next + ".0.0\n");
    EXPECT_EQ(check("/echo?text=" + own.dotted() + ".7"), "up to date\n");
    check("/missing", 1);
}

} // namespace
} // namespace listrion
