// The channel commands of the main window and the channel editor, driven by the controls' names
// with scripted answers, checked on the store.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "playlist/HttpClient.h"
#include "settings/TextCatalogue.h"
#include "support/DialogScript.h"
#include "support/FakeHttp.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;
using test::DialogScript;

class ChannelWindows : public ::testing::Test {
protected:
    ChannelWindows()
    {
        folder.installShippedData();
        test::PlaylistStore s(folder.dataMdb());
        s.fill({3, 1, 2});
        s.recount();
        window = std::make_unique<Glavna>(folder, Glavna::Services{prompter, http, {}});
        window->start();
        window->show();
        QApplication::processEvents();
    }
    template <typename T> T* child(const char* name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<controls::Gumb>(name), Qt::LeftButton); }
    void trigger(const char* name) { child<QAction>(name)->trigger(); }
    QTableView* channels() const { return child<QTableView>("TDBGrid1"); }
    void chooseGroup(int row)
    {
        auto* groups = child<QTableView>("TDBGrid2");
        groups->setCurrentIndex(groups->model()->index(row, 1));
    }
    void chooseChannel(int row) { channels()->setCurrentIndex(channels()->model()->index(row, 1)); }
    int channelRow() const { return channels()->currentIndex().row(); }
    void tick(int row)
    {
        QTest::mouseClick(channels()->viewport(), Qt::LeftButton, {},
                          channels()->visualRect(channels()->model()->index(row, 0)).center());
    }
    // Chooses the entry of a group submenu (mnuxxx, mnuxxxCopy2, ...).
    void chooseIn(const char* submenu, const QString& group)
    {
        auto* menu = child<QMenu>(submenu);
        emit menu->aboutToShow();
        for (QAction* entry : menu->actions()) {
            if (entry->text() == group) {
                entry->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << group.toStdString();
    }
    QString text(settings::TextKey key) const
    {
        return QString::fromStdString(
            settings::LanguageFile::current(settings::Settings(folder.settingsIni()), folder)
                .text(key));
    }
    test::PlaylistStore store() const { return test::PlaylistStore(folder.dataMdb()); }
    void expectSound()
    {
        const std::vector<std::string> problems = store().problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    test::ScriptedPrompter prompter;
    test::FakeHttp http;
    std::unique_ptr<Glavna> window;
};

TEST_F(ChannelWindows, MovesAndTheButtonsStepOfTickedChannels)
{
    chooseGroup(0);
    chooseChannel(0);
    click("cmdChannel_up");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3"}));
    chooseChannel(2);
    click("cmdChannel_up");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.3", "G1.2"}));
    EXPECT_EQ(channelRow(), 1);
    trigger("mnuMove_Channel_to_bottom2");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3"}));
    EXPECT_EQ(channelRow(), 2);
    trigger("mnuMove_Channel_to_top");
    EXPECT_EQ(store().names("G1"), (Names{"G1.3", "G1.1", "G1.2"}));
    EXPECT_EQ(child<QAction>("mnuUndoStep")->text(), "Undo \"Move channel 'G1.3' to the top\"");
    // With a ticked channel the up button moves the ticked ones and remembers the row.
    trigger("mnuMultiselect_move_channel_up");
    EXPECT_FALSE(channels()->isColumnHidden(0));
    tick(2);
    click("cmdChannel_up");
    EXPECT_EQ(store().names("G1"), (Names{"G1.3", "G1.2", "G1.1"}));
    EXPECT_EQ(settings::Settings(folder.settingsIni()).readNumber(settings::Keys::PozicijaUP), 1);
    trigger("mnuDisable_multiselect_move2");
    EXPECT_TRUE(channels()->isColumnHidden(0));
    expectSound();
}

TEST_F(ChannelWindows, DeleteFormsAndTheDeleteMode)
{
    chooseGroup(1); // G2 has one channel
    chooseChannel(0);
    click("cmdChannel_delete");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G3"})); // the button keeps the group
    chooseGroup(2);
    chooseChannel(0);
    trigger("mnuDeleteChannel");
    chooseChannel(0);
    trigger("mnuDelete_channel2");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2"})); // the menu entry removes it
    expectSound();

    chooseGroup(0);
    QAction* mode = child<QAction>("mnuMultiselect_delete_channels");
    EXPECT_EQ(mode->text(), text(settings::Texts::SelectChannelsToDelete));
    trigger("mnuMultiselect_delete_channels2");
    EXPECT_EQ(mode->text(), text(settings::Texts::LeaveMultiSelection));
    EXPECT_TRUE(child<QAction>("mnuSelect_all_delete")->isVisible());
    EXPECT_FALSE(child<controls::Gumb>("cmdChannel_up")->isEnabled());
    EXPECT_TRUE(child<controls::Gumb>("cmdChannel_delete")->isEnabled());
    trigger("mnuSelect_all_delete2");
    EXPECT_EQ(child<QAction>("mnuSelect_all_delete")->text(), text(settings::Texts::DeselectAll));
    tick(1); // untick one of them
    click("cmdChannel_delete");
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));
    EXPECT_EQ(mode->text(), text(settings::Texts::SelectChannelsToDelete));
    EXPECT_TRUE(child<controls::Gumb>("cmdChannel_up")->isEnabled());
    // The Delete key numbers every channel afresh.
    QTest::keyClick(channels(), Qt::Key_Delete);
    EXPECT_EQ(store().column("Playlist", "broj").size(), 0u);
    expectSound();
}

TEST_F(ChannelWindows, MoveAndCopyToGroupThroughTheSubmenus)
{
    chooseGroup(1);
    chooseChannel(0);
    // From the first row: the emptied G2 goes.
    chooseIn("mnuxxx", "G3");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_EQ(store().names("G3"), (Names{"G2.1", "G3.1", "G3.2"}));

    chooseGroup(0);
    trigger("mnuMulitiselect_move_to_group");
    EXPECT_EQ(child<QAction>("mnuMultiselect_move_to_group2")->text(),
              text(settings::Texts::MoveToGroupOn));
    EXPECT_FALSE(child<controls::Gumb>("cmdChannel_delete")->isEnabled());
    tick(0);
    tick(2);
    chooseChannel(1);
    chooseIn("mnuxxx2", "G3");
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));
    EXPECT_EQ(child<QAction>("mnuMulitiselect_move_to_group")->text(),
              text(settings::Texts::MoveToGroupOff));

    prompter.acknowledge();
    chooseChannel(0);
    chooseIn("mnuxxxCopy2", "G3");
    EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::CopyDone)});
    EXPECT_EQ(store().names("G3").back(), "G1.2");
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));
    expectSound();
}

TEST_F(ChannelWindows, ParentalCodesCheckTheAnswer)
{
    chooseGroup(2);
    prompter.type(QString("abcd")).acknowledge();
    trigger("mnuAdd_Parents_Code");
    prompter.type(QString("abcd")).acknowledge();
    trigger("mnuAdd_Parents_Code2");
    prompter.type(QString("123")).acknowledge().type(QString("12345")).acknowledge();
    trigger("mnuAdd_Parents_Code2");
    trigger("mnuAdd_Parents_Code2");
    prompter.type(std::nullopt);
    trigger("mnuAdd_Parents_Code2");
    EXPECT_EQ(
        prompter.texts(),
        (QStringList{text(settings::Texts::ParentCodePrompt),
                     " There can only be numbers in the field !",
                     text(settings::Texts::ParentCodePrompt), text(settings::Texts::CodeDigitsOnly),
                     text(settings::Texts::ParentCodePrompt), text(settings::Texts::CodeTooShort),
                     text(settings::Texts::ParentCodePrompt), text(settings::Texts::CodeTooLong),
                     text(settings::Texts::ParentCodePrompt)}));
    prompter.verify();
    prompter.type(QString("0000")).acknowledge();
    trigger("mnuAdd_Parents_Code2");
    EXPECT_EQ(store().db.scalarInt("SELECT count(*) FROM Playlist WHERE parent_code = '0000'", -1),
              2);
    EXPECT_EQ(channels()->model()->headerData(2, Qt::Horizontal).toString(), "0000");
    EXPECT_TRUE(
        child<QLabel>("TDBGrid1Caption")->text().endsWith(text(settings::Texts::WithParentalCode)));
    prompter.answer(false);
    trigger("mnuRemove_parents_code");
    prompter.answer(true).acknowledge();
    trigger("mnuRemove_parents_code2");
    EXPECT_EQ(prompter.texts()[2],
              "Are you sure you want to remove parental code for the group G3 ?");
    EXPECT_EQ(channels()->model()->headerData(2, Qt::Horizontal).toString(), "no parent code");
    prompter.acknowledge();
    trigger("mnuRemove_parents_code");
    EXPECT_EQ(prompter.texts().back(), "The G3 group has no parental code !");
    prompter.verify();
}

TEST_F(ChannelWindows, TheChannelEditorsTextToolsAndLists)
{
    store().db.exec("UPDATE Playlist SET name = 'UK: Sport' WHERE name = 'G3.1'");
    chooseGroup(2);
    DialogScript script;
    script.then([&](QDialog& e) {
        auto* group = e.findChild<QComboBox*>("ComboGroup");
        EXPECT_EQ(group->currentText(), "G3");
        EXPECT_EQ(group->itemText(0), "All");
        EXPECT_EQ(e.findChild<QTableView*>("TDBGrid1")->model()->rowCount(), 2);
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter"); // Check8 not ticked
        e.findChild<QCheckBox*>("Check8")->setChecked(true);
        e.findChild<QLineEdit*>("txtAdd_First_Parameter")->setText("HR");
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter"); // no text box chosen
        e.findChild<QCheckBox*>("Check4")->setChecked(true);
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter"); // nothing ticked
        auto* grid = e.findChild<QTableView*>("TDBGrid1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(1, 0)).center());
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter");
        EXPECT_FALSE(e.findChild<QCheckBox*>("Check8")->isChecked());
        prompter.acknowledge();
        DialogScript::click(e, "cmdSpremeni_ime");
        prompter.answer(false);
        e.findChild<QCheckBox*>("Check3")->setChecked(true);
        DialogScript::click(e, "cmdNap_G"); // the last group: nothing after it
        EXPECT_EQ(group->currentText(), "G3");
        DialogScript::click(e, "cmd_Naz_G");
        EXPECT_EQ(group->currentText(), "G2");
        EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "G2.1");
        DialogScript::click(e, "cmdIzlaz");
    });
    trigger("mnuEdit_all_channels");
    EXPECT_EQ(prompter.texts(),
              (QStringList{text(settings::Texts::TickFirst), text(settings::Texts::NoNameColumn),
                           text(settings::Texts::TickFirst), text(settings::Texts::ChangesMade),
                           text(settings::Texts::ChangesMade),
                           text(settings::Texts::SortGroupChannelsQuestion) + " G3 ?"}));
    EXPECT_EQ(store().names("G3"), (Names{"Sport", "HR G3.2"}));
    EXPECT_EQ(store().db.scalarInt("SELECT count(*) FROM Playlist WHERE tvgname = 'Sport'", -1), 1);
    expectSound();
}

} // namespace
} // namespace listrion::editing
