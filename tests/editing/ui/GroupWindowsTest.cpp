// The group commands of the main window and the four add and edit dialogs, driven by the
// controls' names with scripted answers, checked on the store.
#include "editing/ui/GlavnaFixture.h"

#include "support/DialogScript.h"

#include <QComboBox>
#include <QLineEdit>

namespace listrion::editing {
namespace {

using test::DialogScript;

class GroupWindows : public GlavnaTest {
protected:
    GroupWindows()
    {
        fill({2, 3, 1, 2});
        start();
    }
    int groupRow() const { return groups()->currentIndex().row(); }
    static void type(QDialog& dialog, const char* box, const QString& text)
    {
        auto* edit = dialog.findChild<QLineEdit*>(box);
        ASSERT_NE(edit, nullptr) << box;
        edit->setText(text);
    }
};

TEST_F(GroupWindows, MovesStopAtTheEndsAndFollowTheMovedGroup)
{
    chooseGroup(2);
    click("cmdGroup_UP");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G2", "G4"}));
    trigger("mnuMove_group_down2");
    EXPECT_EQ(groupRow(), 2);
    trigger("mnuMove_group_bottom");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2", "G4", "G3"}));
    EXPECT_EQ(cell(channels(), 0, 1), "G3.1"); // the channel grid follows
    click("cmdZac_G");
    click("cmd_Naz_G"); // the first group has none before it
    EXPECT_EQ(groupRow(), 0);
    click("cmdKonec_G");
    click("cmd_Naz_G");
    EXPECT_EQ(groupRow(), 2);
}

TEST_F(GroupWindows, EditMenuUndoesAndRedoesTheNamedStep)
{
    QAction* undo = child<QAction>("mnuUndoStep");
    QAction* redo = child<QAction>("mnuRedoStep");
    EXPECT_FALSE(undo->isEnabled());
    chooseGroup(1);
    click("cmdDelete_group");
    EXPECT_EQ(undo->text(), "Undo \"Delete group 'G2'\"");
    undo->trigger();
    EXPECT_EQ(groups()->model()->rowCount(), 4); // the grids followed
    EXPECT_EQ(redo->text(), "Redo \"Delete group 'G2'\"");
    redo->trigger();
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G4"}));
}

TEST_F(GroupWindows, TheDeleteModeDeletesTheTickedGroups)
{
    trigger("mnuMultiselect_delete_groups2");
    EXPECT_FALSE(child<controls::Gumb>("cmdGroup_UP")->isEnabled());
    // Select all ticks every group and unticks them again; ticked G2 and G4 go.
    trigger("mnuSelect_all_delete_group");
    EXPECT_EQ(store().db.scalarInt("SELECT sum(izberi) FROM Grupa", -1), 4);
    trigger("mnuSelect_all_delete_group");
    tick(groups(), 1);
    tick(groups(), 3);
    click("cmdDelete_group");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_TRUE(groups()->isColumnHidden(0)); // the mode ended
    EXPECT_TRUE(child<controls::Gumb>("cmdGroup_UP")->isEnabled());

    // Without the mode the current group goes; the Delete key numbers by position alone.
    chooseGroup(0);
    click("cmdDelete_group");
    EXPECT_EQ(store().groups(), (Names{"G3"}));
    QTest::keyClick(groups(), Qt::Key_Delete);
    EXPECT_EQ(groups()->model()->rowCount(), 0);
    click("cmdDelete_group"); // an empty grid: nothing happens
}

TEST_F(GroupWindows, BlockMovesFirstShowTheTicks)
{
    trigger("mnuMultiselect_move_group_to_bottom");
    EXPECT_FALSE(groups()->isColumnHidden(0));
    store().db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa IN ('G1', 'G3')");
    trigger("mnuMultiselect_move_group_to_bottom2");
    EXPECT_EQ(store().groups(), (Names{"G2", "G4", "G1", "G3"}));
    trigger("mnuDisable_multiselect_mode_group1");
    EXPECT_TRUE(groups()->isColumnHidden(0));
}

TEST_F(GroupWindows, AddAndRenameDialogsCheckTheNameAndAskBeforeMerging)
{
    DialogScript script;
    script
        .then([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), "Add_Group");
            prompter.acknowledge();
            DialogScript::click(d, "cmdSave"); // empty name
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
    EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::GroupNeedsName)});
    prompter.verify();
    EXPECT_EQ(store().groups().back(), "Films 'Noir' 100%");

    chooseGroup(1);
    emit groups()->doubleClicked(groups()->model()->index(1, 1));
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::MergeIntoGroupQuestion) + " G3 ?");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3", "G4", "Films 'Noir' 100%"}));
    EXPECT_EQ(cell(groups(), groupRow(), 1), "G3"); // the merged group stays current
}

TEST_F(GroupWindows, ChannelDialogsAddAndEditFromTheChannelGrid)
{
    chooseGroup(1);
    DialogScript script;
    script
        .then([&](QDialog& d) {
            EXPECT_EQ(d.findChild<QLineEdit*>("txtGroup")->text(), "G2");
            type(d, "txtChannel", "New 'One'");
            prompter.acknowledge();
            DialogScript::click(d, "cmdSave"); // no link
            // Clicking into the empty tvg-name box copies the name.
            QTest::mouseClick(d.findChild<QLineEdit*>("txttvgname"), Qt::LeftButton);
            EXPECT_EQ(d.findChild<QLineEdit*>("txttvgname")->text(), "New 'One'");
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
    EXPECT_EQ(prompter.texts(), (QStringList{text(settings::Texts::ChannelNeedsLink),
                                             text(settings::Texts::ChannelAdded)}));
    prompter.verify();
    EXPECT_EQ(store().names("G2"), (Names{"G2.1", "G2.2", "G2.3", "New 'One'"}));
    EXPECT_EQ(channels()->currentIndex().row(), 3); // the new channel is current
    click("cmdChannel_edit");
    // It keeps its number, lower than G4's channels, so it leads the group after the renumbering.
    EXPECT_EQ(store().names("G4"), (Names{"New 'One'", "G4.1", "G4.2"}));
    EXPECT_EQ(channels()->model()->rowCount(), 3);
}

} // namespace
} // namespace listrion::editing
