#include "settings/LanguageFile.h"
#include "settings/Languages.h"
#include "settings/Regions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::settings {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    ProgramFolder folder{temp.path()};
    Settings settings{folder.settingsIni()};
};

TEST_F(LanguageTest, ChoosingALanguageStoresFileRegionPositionAndRawFlag)
{
    for (const Language& language : Languages::all()) {
        ASSERT_EQ(Languages::choose(settings, language.position), &language);
        EXPECT_EQ(settings.read(Keys::Jezik), std::string(language.caption) + ".lng");
        EXPECT_EQ(settings.readNumber(Keys::Language), language.position);
        EXPECT_EQ(Languages::checkedPosition(settings), language.position);
        EXPECT_EQ(settings.region(), language.region);
        EXPECT_EQ(settings.read(Keys::Germany), language.raw ? "1" : "0");
        EXPECT_EQ(Languages::rawTexts(settings), language.caption == "Germany");
        // The region chosen with a language is one the grids have a font for.
        EXPECT_TRUE(Regions::font(language.region).has_value()) << language.region;
    }
    // Outside the menu nothing is written.
    const std::string chosen = test::readFile(settings.file());
    EXPECT_EQ(Languages::choose(settings, 0), nullptr);
    EXPECT_EQ(Languages::choose(settings, 14), nullptr);
    EXPECT_EQ(test::readFile(settings.file()), chosen);
}

TEST_F(LanguageTest, ThePercentFormOfSDecodesInEveryLanguageButGerman)
{
    for (const Language& language : Languages::all()) {
        temp.write(std::string(language.file), "[Main]\r\n60=%C5%A1 \"%\" 100%\r\n");
    }
    for (const Language& language : Languages::all()) {
        Languages::choose(settings, language.position);
        const LanguageFile texts = LanguageFile::current(settings, folder);
        EXPECT_EQ(texts.path(), temp.file(std::string(language.file)));
        const std::string expected = language.raw ? "%C5%A1 \"%\" 100%" : "š \"%\" 100%";
        EXPECT_EQ(texts.text("main", 60), expected) << language.file;
    }
}

TEST_F(LanguageTest, GermanTextsAreWindows1250AsWritten)
{
    temp.write("Germany.lng", "[Main]\n20=\xC4nderungen gespeichert, \x9A\xE8\n");
    temp.write("English.lng", "[Main]\n20=\xC4nderungen\n");
    Languages::choose(settings, 6);
    EXPECT_EQ(LanguageFile::current(settings, folder).text("Main", 20),
              "Änderungen gespeichert, šč");
    // The file of the raw language is read raw even when Germany 1 says otherwise, and
    // Germany 1 = 1 makes any file raw.
    settings.write(Keys::Germany, "0");
    EXPECT_TRUE(LanguageFile::current(settings, folder).raw());
    settings.write(Keys::Jezik, "English.lng");
    EXPECT_FALSE(LanguageFile::current(settings, folder).raw());
    EXPECT_EQ(LanguageFile::current(settings, folder).text("Main", 20), "\xEF\xBF\xBDnderungen");
    settings.write(Keys::Germany, "1");
    EXPECT_EQ(LanguageFile::current(settings, folder).text("Main", 20), "Änderungen");
}

TEST_F(LanguageTest, MissingFileKeyOrNameGivesEmptyTextsAndEnglishIsTheDefault)
{
    temp.write("English.lng", "[Main]\n60=Save first?\n61=\n");
    settings.write(Keys::Jezik, "");
    const LanguageFile english = LanguageFile::current(settings, folder);
    EXPECT_EQ(english.path(), temp.file("English.lng"));
    EXPECT_EQ(english.text("Main", 60), "Save first?");
    EXPECT_TRUE(english.contains("Main", 61) && !english.contains("Main", 62));
    EXPECT_EQ(english.text("Main", 62) + english.text("Work", 60), "");

    // A path in Jezik still names a file of the program folder.
    settings.write(Keys::Jezik, "../elsewhere/English.lng");
    EXPECT_EQ(LanguageFile::current(settings, folder).path(), temp.file("English.lng"));
    // Letter case of the name does not matter.
    settings.write(Keys::Jezik, "english.LNG");
    EXPECT_EQ(LanguageFile::current(settings, folder).text("Main", 60), "Save first?");

    settings.write(Keys::Jezik, "Polish.lng");
    EXPECT_EQ(LanguageFile::current(settings, folder).text("Main", 60), "");

    // A copy from an older version lacks newer keys: the windows show them from the shipped
    // English file, while a key the copy has, even empty, stays as it is.
    temp.write("Polish.lng", "[Main]\n64=\n");
    const CurrentTexts current(settings, folder);
    const LanguageFile shipped(ProgramFolder::shippedDataFolder() / "English.lng", false);
    ASSERT_FALSE(shipped.text("Main", 60).empty());
    EXPECT_EQ(current.text("Main", 60), shipped.text("Main", 60));
    ASSERT_FALSE(shipped.text("Main", 64).empty());
    EXPECT_EQ(current.text("Main", 64), "");
}

TEST(Regions, EveryOfferedRegionHasAGridFontAndAFontList)
{
    ASSERT_FALSE(Regions::offered().empty());
    for (std::string_view region : Regions::offered()) {
        EXPECT_TRUE(Regions::font(region).has_value()) << region;
        EXPECT_FALSE(Regions::offeredFonts(region).empty()) << region;
        EXPECT_EQ(Regions::offeredFonts(region).front(), "Arial") << region;
    }
    // Recognised but not offered: a font, no list. Unknown or differently written: neither.
    EXPECT_TRUE(Regions::font("USA").has_value());
    EXPECT_TRUE(Regions::offeredFonts("USA").empty());
    EXPECT_FALSE(Regions::font("balkan").has_value());
    EXPECT_TRUE(Regions::offeredFonts("Klingon").empty());
}

} // namespace
} // namespace listrion::settings
