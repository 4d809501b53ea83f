#include "settings/IniDocument.h"
#include "settings/Settings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::settings {
namespace {

TEST(IniHandling, ReadsLikeTheProfileFunctions)
{
    test::TempFolder temp;
    const auto file = temp.write("Settings.ini", "; a comment\r\n"
                                                 "[Jezik]\r\n"
                                                 "1 = English.lng \r\n"
                                                 "[fonts]\r\n"
                                                 "1=\"Segoe UI\"\r\n"
                                                 "2='10\r\n"
                                                 "1=second one is ignored\r\n"
                                                 "Name=Mono\r\n"
                                                 "[Long]\r\n"
                                                 "1=" +
                                                     std::string(300, 'x') + "\r\n");
    EXPECT_EQ(INIhandling::read("jezik", "1", file), "English.lng");
    EXPECT_EQ(INIhandling::read("FONTS", "1", file), "Segoe UI");
    EXPECT_EQ(INIhandling::read("Fonts", "2", file), "'10");     // unmatched quote stays
    EXPECT_EQ(INIhandling::read("fonts", "NAME", file), "Mono"); // keys in any case too
    EXPECT_EQ(INIhandling::read("Long", "1", file).size(), 254u);
    EXPECT_EQ(INIhandling::read("Jezik", "2", file) + INIhandling::read("Nowhere", "1", file) +
                  INIhandling::read("Jezik", "1", temp.file("missing.ini")),
              "");
}

TEST(IniHandling, WritingKeepsEverythingElseAndCreatesWhatIsMissing)
{
    test::TempFolder temp;
    const auto file = temp.write("Settings.ini", "; keep me\r\n[Jezik]\r\n1=English.lng\r\n"
                                                 "\r\n[System]\r\n1=1\r\n");
    ASSERT_TRUE(INIhandling::write("jezik", "1", "French.lng", file));
    ASSERT_TRUE(INIhandling::write("JEZIK", "2", "x", file));
    ASSERT_TRUE(INIhandling::write("system", "ONE", "y", file));
    ASSERT_TRUE(INIhandling::write("system", "one", "z", file)); // the same key
    ASSERT_TRUE(INIhandling::write("Updates", "1", "1", file));
    EXPECT_EQ(test::readFile(file), "; keep me\r\n[Jezik]\r\n1=French.lng\r\n2=x\r\n"
                                    "\r\n[System]\r\n1=1\r\none=z\r\n[Updates]\r\n1=1\r\n");

    const auto created = temp.file("sub-none.ini");
    ASSERT_TRUE(INIhandling::write("Region", "1", "Balkan", created));
    EXPECT_EQ(test::readFile(created), "[Region]\n1=Balkan\n");
    // No temporary file is left beside the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              2);
    // A folder that does not exist cannot be written: reported, nothing thrown.
    EXPECT_FALSE(INIhandling::write("A", "1", "x", temp.file("no/such/dir.ini")));
}

TEST(IniHandling, WritingReplacesTheFileInsteadOfRewritingIt)
{
    test::TempFolder temp;
    const auto file = temp.write("Settings.ini", "\xEF\xBB\xBF[Jezik]\r\n1=English.lng\r\n");
    // A second name for the same file keeps the old content only if the write went to a new
    // file renamed over the old one; writing in place would change both.
    const auto oldLink = temp.file("old.ini");
    std::filesystem::create_hard_link(file, oldLink);
    ASSERT_TRUE(INIhandling::write("Jezik", "1", "Turkish.lng\nline two\r", file));
    EXPECT_EQ(test::readFile(oldLink), "\xEF\xBB\xBF[Jezik]\r\n1=English.lng\r\n");
    // The byte-order mark and line ends survive; a line break cannot add a line.
    EXPECT_EQ(test::readFile(file), "\xEF\xBB\xBF[Jezik]\r\n1=Turkish.lng line two \r\n");
    EXPECT_EQ(INIhandling::read("JEZIK", "1", file), "Turkish.lng line two");
}

TEST(IniHandling, EntriesListEveryKeyLineOfEverySection)
{
    const IniDocument doc = IniDocument::parse("x=before any section\n[Main]\n; 1=comment\n"
                                               "60 = \"Save? \"\nno equals sign\n[EPG]\n10=a\n"
                                               "[main]\n60=again\n");
    std::string listed;
    for (const IniDocument::Entry& e : doc.entries()) {
        listed += e.section + "/" + e.key + "@" + std::to_string(e.line) + "=" + e.text + " ";
    }
    EXPECT_EQ(listed, "Main/60@4=\"Save? \" EPG/10@7=a main/60@9=again ");
    // The reader takes the first section of a name only.
    EXPECT_EQ(doc.value("MAIN", "60"), "Save? ");
}

TEST(Settings, TypedEntriesAndTheCodepageFallback)
{
    test::TempFolder temp;
    const Settings settings(temp.file("Settings.ini"));
    settings.write(Keys::PozicijaG, 42);
    settings.write(Keys::Region, "Balkan");
    EXPECT_EQ(settings.readNumber(Keys::PozicijaG), 42);
    EXPECT_EQ(settings.region(), "Balkan");
    settings.write(Keys::VLC, "yes");
    EXPECT_FALSE(settings.readNumber(Keys::VLC).has_value());

    // Playlist code page: the configured one, windows-1250 when empty or unknown.
    EXPECT_EQ(settings.codepage().name(), "windows-1250");
    settings.write(Keys::Codepage, "CP1252");
    EXPECT_EQ(settings.codepage().name(), "windows-1252");
    settings.write(Keys::Codepage, "koi8-r");
    EXPECT_EQ(settings.codepage().name(), "windows-1250");
}

} // namespace
} // namespace listrion::settings
