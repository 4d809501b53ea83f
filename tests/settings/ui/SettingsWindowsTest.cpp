#include "settings/Settings.h"
#include "settings/SettingsEvents.h"
#include "settings/TextSource.h"
#include "settings/ui/Kolone_prikaz.h"
#include "settings/ui/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace listrion::settings::ui {
namespace {

struct NoTexts : TextSource {
    std::string text(std::string_view, int) const override { return {}; }
};

class SettingsWindowsTest : public ::testing::Test {
protected:
    template <typename T> static T* child(QWidget& window, const QString& name)
    {
        auto* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void click(QWidget& window, const QString& name)
    {
        child<QAbstractButton>(window, name)->click();
    }
    std::string file() const { return test::readFile(ini.file()); }

    test::TempFolder folder;
    settings::Settings ini{folder.file("Settings.ini")};
    NoTexts texts;
    test::ScriptedPrompter prompter;
    SettingsEvents events;
    QSignalSpy announced{&events, &SettingsEvents::gridLookChanged};
};

TEST_F(SettingsWindowsTest, FontsAreStoredAtOnceAndOkAlwaysAsksToRestart)
{
    ini.write(Keys::Region, "Balkan");
    ini.write(Keys::ChannelFontName, "Tahoma");
    ini.write(Keys::GroupFontSize, "12");
    const std::string before = file();
    {
        // Nothing touched: OK leaves every value as it was and still asks.
        Settings window(ini, texts, prompter, events);
        EXPECT_EQ(child<QComboBox>(window, "ComboFont_Ime")->currentText(), "Tahoma");
        EXPECT_EQ(child<QComboBox>(window, "ComboFont_Velikost_Group")->currentText(), "12");
        EXPECT_EQ(child<QComboBox>(window, "Combo_Font_Group")->currentIndex(), -1);
        prompter.answer(false);
        click(window, "cmdOK");
        EXPECT_EQ(prompter.texts(), QStringList{Settings::kRestartQuestion});
        EXPECT_FALSE(window.restartChosen());
    }
    EXPECT_EQ(file(), before);

    Settings window(ini, texts, prompter, events);
    const qsizetype announcedBefore = announced.count();
    // Balkan offers ..., Tahoma, Courier New, Georgia: the steps stop at the last one.
    for (int i = 0; i < 3; ++i) {
        click(window, "cmdNap_G");
    }
    EXPECT_EQ(ini.read(Keys::ChannelFontName), "Georgia");
    click(window, "cmdGroup_size_nazaj");
    EXPECT_EQ(ini.read(Keys::GroupFontName), "Arial");
    EXPECT_EQ(announced.count() - announcedBefore, 3);
    click(window, "cmdIzlaz");
    EXPECT_EQ(prompter.asked().size(), 1u);
}

TEST_F(SettingsWindowsTest, UnknownRegionShowsNoChoiceUntilOneIsMade)
{
    ini.write(Keys::Region, "Atlantis");
    Settings window(ini, texts, prompter, events);
    auto* region = child<QComboBox>(window, "Combo_Region");
    EXPECT_EQ(region->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(window, "ComboFont_Ime")->count(), 0);
    EXPECT_EQ(child<QComboBox>(window, "ComboFont_Velikost_Ime")->count(), 15);

    region->setCurrentIndex(region->findText("Arabic"));
    emit region->activated(region->currentIndex());
    EXPECT_EQ(child<QComboBox>(window, "Combo_Font_Group")->count(), 4);
    EXPECT_EQ(ini.read(Keys::Region), "Atlantis");
    prompter.answer(true);
    click(window, "cmdOK");
    EXPECT_TRUE(window.restartChosen());
    EXPECT_EQ(ini.read(Keys::Region), "Arabic");
    EXPECT_EQ(ini.read(Keys::ChannelFontName), "");
}

TEST_F(SettingsWindowsTest, ColumnChooserStepsWidthsAndWritesOnlyOnSave)
{
    ini.write(Keys::sirina(1), "15");
    ini.write(Keys::sirina(2), "20");
    ini.write(Keys::sirina(3), "abc");
    ini.write(Keys::prikaz(4), "0");
    const std::string before = file();
    {
        Kolone_prikaz window(ini, texts, events);
        EXPECT_FALSE(child<QCheckBox>(window, "Check4")->isChecked());
        click(window, "cmdMinus1");
        click(window, "cmdMinus2");
        click(window, "cmdPlus3");
        click(window, "Check5");
        EXPECT_EQ(child<QLineEdit>(window, "txtSirina1")->text(), "15");
        EXPECT_EQ(child<QLineEdit>(window, "txtSirina2")->text(), "0");
        EXPECT_EQ(child<QLineEdit>(window, "txtSirina3")->text(), "20");
        click(window, "cmdCancel");
    }
    EXPECT_EQ(file(), before);
    EXPECT_EQ(announced.count(), 0);

    Kolone_prikaz window(ini, texts, events);
    child<QLineEdit>(window, "txtSirina4")->setText("wide");
    click(window, "Check5");
    click(window, "cmdSave");
    EXPECT_EQ(ini.read(Keys::sirina(1)), "15");
    EXPECT_EQ(ini.read(Keys::sirina(3)), "0");
    EXPECT_EQ(ini.read(Keys::sirina(4)), "0");
    EXPECT_EQ(ini.read(Keys::sirina(5)), "7000");
    EXPECT_EQ(ini.read(Keys::prikaz(4)), "0");
    EXPECT_EQ(ini.read(Keys::prikaz(5)), "0");
    EXPECT_EQ(ini.read(Keys::prikaz(6)), "1");
    EXPECT_EQ(announced.count(), 1);
}

} // namespace
} // namespace listrion::settings::ui
