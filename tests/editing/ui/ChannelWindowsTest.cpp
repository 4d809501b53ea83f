// The channel commands of the main window and the channel editor, driven by the controls' names
// with scripted answers, checked on the store.
#include "editing/ui/GlavnaFixture.h"

#include "support/DialogScript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace listrion::editing {
namespace {

using test::DialogScript;

class ChannelWindows : public GlavnaTest {
protected:
    ChannelWindows()
    {
        fill({3, 1, 2});
        start();
    }
    int channelRow() const { return channels()->currentIndex().row(); }
};

TEST_F(ChannelWindows, MovesAndTheButtonsStepOfTickedChannels)
{
    chooseGroup(0);
    chooseChannel(2);
    click("cmdChannel_up");
    EXPECT_EQ(channelRow(), 1); // the grid follows the moved channel
    trigger("mnuMove_Channel_to_bottom2");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3"}));
    trigger("mnuMove_Channel_to_top");
    EXPECT_EQ(store().names("G1"), (Names{"G1.3", "G1.1", "G1.2"}));
    EXPECT_EQ(child<QAction>("mnuUndoStep")->text(), "Undo \"Move channel 'G1.3' to the top\"");
    // With a ticked channel the up button moves the ticked ones and remembers the row.
    trigger("mnuMultiselect_move_channel_up");
    tick(channels(), 2);
    click("cmdChannel_up");
    EXPECT_EQ(store().names("G1"), (Names{"G1.3", "G1.2", "G1.1"}));
    EXPECT_EQ(settings().readNumber(settings::Keys::PozicijaUP), 1);
    trigger("mnuDisable_multiselect_move2");
    EXPECT_TRUE(channels()->isColumnHidden(0));
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
    EXPECT_EQ(store().names("G3"), (Names{"G3.2"}));
    chooseChannel(0);
    trigger("mnuDelete_channel2");
    EXPECT_EQ(store().groups(), (Names{"G1", "G2"})); // the menu entry removes it

    // The mode: select all, untick one, the button deletes the ticked ones and ends the mode.
    chooseGroup(0);
    trigger("mnuMultiselect_delete_channels2");
    EXPECT_FALSE(child<controls::Gumb>("cmdChannel_up")->isEnabled());
    trigger("mnuSelect_all_delete2");
    tick(channels(), 1);
    click("cmdChannel_delete");
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));
    EXPECT_TRUE(child<controls::Gumb>("cmdChannel_up")->isEnabled());
    QTest::keyClick(channels(), Qt::Key_Delete);
    EXPECT_EQ(store().names("G1"), Names{});
}

TEST_F(ChannelWindows, MoveAndCopyToGroupThroughTheSubmenus)
{
    chooseGroup(1);
    chooseChannel(0);
    // From the first row: the emptied G2 goes.
    chooseIn("mnuxxx", "G3");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));

    chooseGroup(0);
    trigger("mnuMulitiselect_move_to_group");
    tick(channels(), 0);
    tick(channels(), 2);
    chooseChannel(1);
    chooseIn("mnuxxx2", "G3");
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));

    prompter.acknowledge();
    chooseChannel(0);
    chooseIn("mnuxxxCopy2", "G3");
    EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::CopyDone)});
    EXPECT_EQ(store().names("G3").back(), "G1.2");
}

TEST_F(ChannelWindows, ParentalCodesCheckTheAnswer)
{
    chooseGroup(2);
    prompter.type(QString("123")).acknowledge().type(QString("0000")).acknowledge();
    trigger("mnuAdd_Parents_Code");
    trigger("mnuAdd_Parents_Code2");
    EXPECT_EQ(prompter.texts()[1], text(settings::Texts::CodeTooShort));
    prompter.verify();
    EXPECT_EQ(channels()->model()->headerData(2, Qt::Horizontal).toString(), "0000");
    prompter.answer(false);
    trigger("mnuRemove_parents_code");
    prompter.answer(true).acknowledge();
    trigger("mnuRemove_parents_code2");
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
        auto* grid = e.findChild<QTableView*>("TDBGrid1");
        e.findChild<QCheckBox*>("Check8")->setChecked(true);
        e.findChild<QLineEdit*>("txtAdd_First_Parameter")->setText("HR");
        e.findChild<QCheckBox*>("Check4")->setChecked(true);
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter"); // nothing ticked
        tick(grid, 1);
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_Parameter");
        prompter.acknowledge();
        DialogScript::click(e, "cmdSpremeni_ime");
        prompter.answer(false);
        e.findChild<QCheckBox*>("Check3")->setChecked(true);
        DialogScript::click(e, "cmd_Naz_G");
        EXPECT_EQ(group->currentText(), "G2");
        EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "G2.1");
        DialogScript::click(e, "cmdIzlaz");
    });
    trigger("mnuEdit_all_channels");
    EXPECT_EQ(prompter.texts(),
              (QStringList{text(settings::Texts::TickFirst), text(settings::Texts::ChangesMade),
                           text(settings::Texts::ChangesMade),
                           text(settings::Texts::SortGroupChannelsQuestion) + " G3 ?"}));
    EXPECT_EQ(store().names("G3"), (Names{"Sport", "HR G3.2"}));
}

} // namespace
} // namespace listrion::editing
