// The group commands of the main window and the four add and edit dialogs, driven by the
// controls' names with scripted answers, checked on the store.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "playlist/HttpClient.h"
#include "settings/TextCatalogue.h"
#include "store/Schema.h"
#include "support/DialogScript.h"
#include "support/FakeHttp.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;
using test::DialogScript;

class GroupWindows : public ::testing::Test {
protected:
    GroupWindows()
    {
        folder.installShippedData();
        test::PlaylistStore s(folder.dataMdb());
        s.fill({2, 3, 1, 2});
        s.recount();
    }
    void start()
    {
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
    QTableView* groups() const { return child<QTableView>("TDBGrid2"); }
    QTableView* channels() const { return child<QTableView>("TDBGrid1"); }
    int groupRow() const { return groups()->currentIndex().row(); }
    void chooseGroup(int row) { groups()->setCurrentIndex(groups()->model()->index(row, 1)); }
    QString gridText(QTableView* grid, int row, int column) const
    {
        return grid->model()->index(row, column).data().toString();
    }
    QString text(settings::TextKey key) const
    {
        return QString::fromStdString(
            settings::LanguageFile::current(settings::Settings(folder.settingsIni()), folder)
                .text(key));
    }
    test::PlaylistStore store() const { return test::PlaylistStore(folder.dataMdb()); }
    static void type(QDialog& dialog, const char* box, const QString& text)
    {
        auto* edit = dialog.findChild<QLineEdit*>(box);
        ASSERT_NE(edit, nullptr) << box;
        edit->setText(text);
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    test::ScriptedPrompter prompter;
    test::FakeHttp http;
    std::unique_ptr<Glavna> window;
};

TEST_F(GroupWindows, MovesStopAtTheEndsAndFollowTheMovedGroup)
{
    start();
    chooseGroup(0);
    click("cmdGroup_UP");
    trigger("mnuMove_group_top");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G3", "G4"}));
    chooseGroup(2);
    click("cmdGroup_UP");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G2", "G4"}));
    EXPECT_EQ(groupRow(), 1);
    trigger("mnuMove_group_down2");
    EXPECT_EQ(groupRow(), 2);
    trigger("mnuMove_group_bottom");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G4", "G3"}));
    EXPECT_EQ(gridText(groups(), groupRow(), 1), "G3");
    EXPECT_EQ(gridText(channels(), 0, 1), "G3.1"); // the channel grid follows
    click("cmdZac_G");
    EXPECT_EQ(groupRow(), 0);
    click("cmd_Naz_G");
    EXPECT_EQ(groupRow(), 0);
    click("cmdKonec_G");
    click("cmd_Naz_G");
    EXPECT_EQ(groupRow(), 2);
    EXPECT_TRUE(store().problems().empty());
}

TEST_F(GroupWindows, EditMenuUndoesAndRedoesTheNamedStep)
{
    start();
    QAction* undo = child<QAction>("mnuUndoStep");
    QAction* redo = child<QAction>("mnuRedoStep");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence::fromString("Ctrl+Z"));
    chooseGroup(1);
    click("cmdDelete_group");
    EXPECT_EQ(undo->text(), "Undo \"Delete group 'G2'\"");
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G3", "G4"}));
    EXPECT_EQ(groups()->model()->rowCount(), 4); // the grids followed
    EXPECT_EQ(redo->text(), "Redo \"Delete group 'G2'\"");
    EXPECT_FALSE(undo->isEnabled());
    redo->trigger();
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G4"}));
    EXPECT_TRUE(store().problems().empty());
}

TEST_F(GroupWindows, DeleteModesHeldInCaptions)
{
    start();
    QAction* mode = child<QAction>("mnuMultiselect_delete_groups");
    QAction* all = child<QAction>("mnuSelect_all_delete_group2");
    EXPECT_EQ(mode->text(), text(settings::Texts::SelectGroupsToDelete));
    EXPECT_FALSE(all->isVisible());
    trigger("mnuMultiselect_delete_groups2");
    EXPECT_EQ(mode->text(), text(settings::Texts::LeaveMultiSelection));
    EXPECT_TRUE(all->isVisible());
    EXPECT_EQ(all->text(), text(settings::Texts::SelectAll));
    EXPECT_FALSE(groups()->isColumnHidden(0));
    EXPECT_FALSE(child<controls::Gumb>("cmdGroup_UP")->isEnabled());
    EXPECT_FALSE(child<QAction>("mnuDeletegroup")->isEnabled());
    // Nothing ticked: the delete removes nothing and still ends the mode.
    chooseGroup(1);
    click("cmdDelete_group");
    EXPECT_EQ(store().groups().size(), 4u);
    EXPECT_EQ(mode->text(), text(settings::Texts::SelectGroupsToDelete));
    EXPECT_TRUE(groups()->isColumnHidden(0));
    EXPECT_TRUE(child<controls::Gumb>("cmdGroup_UP")->isEnabled());

    // Ticked G2 and G4 go with their channels; the positions close by type.
    trigger("mnuMultiselect_delete_groups");
    trigger("mnuSelect_all_delete_group");
    EXPECT_EQ(all->text(), text(settings::Texts::DeselectAll));
    EXPECT_EQ(store().db.scalarInt("SELECT sum(izberi) FROM Grupa", -1), 4);
    trigger("mnuSelect_all_delete_group");
    QTest::mouseClick(groups()->viewport(), Qt::LeftButton, {},
                      groups()->visualRect(groups()->model()->index(1, 0)).center());
    QTest::mouseClick(groups()->viewport(), Qt::LeftButton, {},
                      groups()->visualRect(groups()->model()->index(3, 0)).center());
    EXPECT_FALSE(child<QAction>("mnuDelete_group2")->isEnabled()); // the button deletes them
    click("cmdDelete_group");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_EQ(store().names(), (Names{"G1.1", "G1.2", "G3.1"}));

    // Without the mode the current group goes; the Delete key numbers by position alone.
    chooseGroup(0);
    click("cmdDelete_group");
    EXPECT_EQ(store().groups(), (Names{"G3"}));
    QTest::keyClick(groups(), Qt::Key_Delete);
    EXPECT_TRUE(store().groups().empty());
    EXPECT_EQ(groups()->model()->rowCount(), 0);
    click("cmdDelete_group"); // an empty grid: nothing happens
    EXPECT_TRUE(store().problems().empty());
}

TEST_F(GroupWindows, BlockMovesFirstShowTheTicks)
{
    start();
    trigger("mnuMultiselect_move_group_to_bottom");
    EXPECT_FALSE(groups()->isColumnHidden(0));
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G3", "G4"}));
    store().db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa IN ('G1', 'G3')");
    trigger("mnuMultiselect_move_group_to_bottom2");
    EXPECT_EQ(store().groups(), (Names{"G2", "G4", "G1", "G3"}));
    EXPECT_EQ(store().db.scalarInt("SELECT sum(izberi) FROM Grupa", -1), 0);
    trigger("mnuDisable_multiselect_mode_group1");
    EXPECT_TRUE(groups()->isColumnHidden(0));
    EXPECT_TRUE(child<QAction>("mnuEdit_group")->isEnabled());
}

TEST_F(GroupWindows, AddAndRenameDialogsCheckTheNameAndAskBeforeMerging)
{
    start();
    DialogScript script;
    script
        .then([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), "Add_Group");
            EXPECT_EQ(d.windowTitle(), text(settings::Texts::AddGroupCaption));
            prompter.acknowledge().acknowledge();
            DialogScript::click(d, "cmdSave"); // empty name
            type(d, "txtIme", "g1");
            DialogScript::click(d, "cmdSave"); // taken
            EXPECT_TRUE(d.isVisible());
            type(d, "txtIme", "Films 'Noir' 100%");
            d.findChild<QComboBox*>("ComboType")->setCurrentIndex(1);
            DialogScript::click(d, "cmdSave");
        })
        .then([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), "Edit_Group");
            EXPECT_EQ(d.findChild<QLineEdit*>("txtIzbrana_Grupa")->text(), "G2");
            type(d, "txtGroup", "g3");
            prompter.answer(false);
            DialogScript::click(d, "cmdSave");
            EXPECT_TRUE(d.isVisible());
            prompter.answer(true);
            DialogScript::click(d, "cmdSave");
        });
    click("cmdNew_group");
    EXPECT_EQ(prompter.texts(), (QStringList{text(settings::Texts::GroupNeedsName),
                                             text(settings::Texts::GroupNameTaken)}));
    prompter.verify();
    EXPECT_EQ(store().groups().back(), "Films 'Noir' 100%");
    EXPECT_EQ(store().db.scalarInt("SELECT count(*) FROM Grupa WHERE type = 'VOD'", -1), 1);

    chooseGroup(1);
    emit groups()->doubleClicked(groups()->model()->index(1, 1));
    ASSERT_EQ(prompter.texts().size(), 2);
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::MergeIntoGroupQuestion) + " G3 ?");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G4", "Films 'Noir' 100%"}));
    EXPECT_EQ(gridText(groups(), groupRow(), 1), "G3"); // the merged group stays current
    EXPECT_EQ(gridText(groups(), groupRow(), 3), "4");
    EXPECT_TRUE(store().problems().empty()) << store().problems().front();
}

TEST_F(GroupWindows, ChannelDialogsAddAndEditFromTheChannelGrid)
{
    start();
    chooseGroup(1);
    DialogScript script;
    script
        .then([&](QDialog& d) {
            EXPECT_EQ(d.findChild<QLineEdit*>("txtGroup")->text(), "G2");
            EXPECT_EQ(d.findChild<QLineEdit*>("txtType")->text(), "Live");
            prompter.acknowledge().acknowledge();
            DialogScript::click(d, "cmdSave"); // no name
            type(d, "txtChannel", "New 'One'");
            DialogScript::click(d, "cmdSave"); // no link
            // Clicking into the empty tvg-name box copies the name.
            QTest::mouseClick(d.findChild<QLineEdit*>("txttvgname"), Qt::LeftButton);
            EXPECT_EQ(d.findChild<QLineEdit*>("txttvgname")->text(), "New 'One'");
            EXPECT_EQ(d.findChild<QLineEdit*>("txttvgname")->palette().base().color(),
                      QColor(255, 255, 0));
            type(d, "txtLink", "http://new/1");
            prompter.acknowledge();
            DialogScript::click(d, "cmdSave");
        })
        .then([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), "Edit_Channel");
            EXPECT_EQ(d.findChild<QLineEdit*>("txtChannel")->text(), "New 'One'");
            auto* list = d.findChild<QComboBox*>("ComboGroup");
            list->setCurrentIndex(list->findText("G4"));
            DialogScript::click(d, "cmdSave");
        });
    click("control13");
    EXPECT_EQ(prompter.texts(), (QStringList{text(settings::Texts::ChannelNeedsName),
                                             text(settings::Texts::ChannelNeedsLink),
                                             text(settings::Texts::ChannelAdded)}));
    prompter.verify();
    EXPECT_EQ(store().names("G2"), (Names{"G2.1", "G2.2", "G2.3", "New 'One'"}));
    const int added = channels()->currentIndex().row();
    EXPECT_EQ(added, 3); // the new channel is current
    click("cmdChannel_edit");
    // It keeps its number, lower than G4's channels, so it leads the group after the renumbering.
    EXPECT_EQ(store().names("G4"), (Names{"New 'One'", "G4.1", "G4.2"}));
    EXPECT_EQ(store().db.scalarInt("SELECT count FROM Grupa WHERE grupa = 'G2'", -1), 3);
    EXPECT_EQ(channels()->model()->rowCount(), 3);
    EXPECT_TRUE(store().problems().empty()) << store().problems().front();
}

} // namespace
} // namespace listrion::editing
