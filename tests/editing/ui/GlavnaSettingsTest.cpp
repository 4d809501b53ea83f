#include "editing/ui/GlavnaFixture.h"
#include "settings/ui/Settings.h"
#include "support/DialogScript.h"

#include <QCheckBox>
#include <QTimer>

namespace listrion::editing {
namespace {

// Runs `inside` on the modal window `name` once the entry `entry` has opened it.
template <typename Inside>
void withModal(Glavna& window, const char* entry, const char* name, Inside inside)
{
    QTimer::singleShot(0, [&window, name, inside] {
        QWidget* modal = window.findChild<QWidget*>(name);
        ASSERT_NE(modal, nullptr) << name;
        inside(modal);
    });
    window.findChild<QAction*>(entry)->trigger();
}

TEST_F(GlavnaTest, ColumnChooserReformatsTheGridsAndSettingsAskForARestart)
{
    fill({2});
    start();
    ASSERT_FALSE(channels()->isColumnHidden(3));
    withModal(*window, "mnuSelect_rows", "Kolone_prikaz", [](QWidget* chooser) {
        chooser->findChild<QCheckBox*>("Check3")->click();
        chooser->findChild<QCheckBox*>("Check9")->click();
        click(chooser, "cmdSave");
    });
    EXPECT_TRUE(channels()->isColumnHidden(3));
    EXPECT_TRUE(groups()->isColumnHidden(3));
    EXPECT_FALSE(channels()->isColumnHidden(4));

    prompter.answer(true);
    withModal(*window, "mnuSelect_font", "Settings", [this](QWidget* settingsWindow) {
        click(settingsWindow, "cmdNap_G");
        // The channel font of the region in use (Central European) is the first it offers.
        EXPECT_EQ(channels()->font().family(), "Arial");
        click(settingsWindow, "cmdOK");
    });
    EXPECT_EQ(prompter.texts(), QStringList{settings::ui::Settings::kRestartQuestion});
    ASSERT_TRUE(window->nextProgram().has_value());
    EXPECT_EQ(window->nextProgram()->arguments,
              (QStringList{"--home", QString::fromStdString(home.path().string())}));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(GlavnaTest, AMissingProgramVersionIsReported)
{
    start();
    EXPECT_TRUE(child<QAction>("mnuSystem1")->isChecked());
    prompter.acknowledge();
    trigger("mnuSystem2");
    EXPECT_TRUE(prompter.texts().front().startsWith("Listrion 2.1.25 is not installed"));
    EXPECT_TRUE(child<QAction>("mnuSystem1")->isChecked());
    EXPECT_FALSE(window->nextProgram().has_value());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(GlavnaTest, EditorGridsTakeTheRegionFontWhereNoneIsChosen)
{
    fill({1});
    start();
    settings().write(settings::Keys::Region, "Arabic");
    test::DialogScript script;
    script.then([](QDialog& editor) {
        EXPECT_EQ(editor.findChild<QTableView*>("TDBGrid1")->font().family(), "Tahoma");
        test::DialogScript::click(editor, "cmdIzlaz");
    });
    click("cmdEdit_Groups");
    EXPECT_EQ(groups()->font().family(), "Arial");
}

} // namespace
} // namespace listrion::editing
