// The windows the main window opens: the channel explorer, the search, the merge and the link
// checker in its place, and the players; driven by the controls' names with scripted answers.
#include "editing/ui/GlavnaFixture.h"

#include "editing/ChannelGridModel.h"
#include "editing/ui/Channel_Explorer.h"
#include "player/MediaPlayerCheck.h"
#include "player/ui/Player.h"
#include "support/DialogScript.h"
#include "tools/ui/Poisci_Kanal.h"

#include <QComboBox>
#include <QLineEdit>

namespace listrion::editing {
namespace {

class ToolWindows : public GlavnaTest {
protected:
    // The explorer, opened from the main window.
    ui::Channel_Explorer* openExplorer()
    {
        click("cmdChannel_Explorer");
        return child<ui::Channel_Explorer>("Channel_Explorer");
    }
    std::string vlc() const { return settings().read(settings::Keys::VLC); }
};

TEST_F(ToolWindows, EachOpensInPlaceOfTheMainWindow)
{
    fill({3, 1, 2});
    start();
    const auto opens = [this](QObject* entry, const char* name) {
        if (auto* button = qobject_cast<QAbstractButton*>(entry)) {
            button->click();
        } else {
            qobject_cast<QAction*>(entry)->trigger();
        }
        auto* tool = window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        ASSERT_NE(tool, nullptr) << name;
        EXPECT_TRUE(tool->isVisible());
        EXPECT_FALSE(window->isVisible());
        tool->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly), nullptr);
    };
    const std::pair<const char*, const char*> entries[] = {
        {"cmdChannel_find", "Poisci_Kanal"},
        {"mnuSearch_channel", "Poisci_Kanal"},
        {"cmdMerge", "Merge_Playlist"},
        {"mnuMerge_playlist", "Merge_Playlist"},
        {"cmdChannel_Explorer", "Channel_Explorer"},
        {"mnuChannel_Explorer", "Channel_Explorer"},
        {"mnuCheck_broken_channels", "Check_Validate"}};
    for (const auto& [entry, tool] : entries) {
        opens(child<QObject>(entry), tool);
    }
    EXPECT_EQ(settings().read(settings::Keys::RegAsm), "1");

    // Without channels none of them opens.
    prompter.answer(false).acknowledge(); // no saving first; the new playlist is made
    child<QAction>("mnuNew_playlist")->trigger();
    for (const char* name : {"cmdChannel_find", "cmdMerge", "cmdChannel_Explorer"}) {
        click(name);
        EXPECT_TRUE(window->isVisible()) << name;
    }
    trigger("mnuCheck_broken_channels");
    EXPECT_TRUE(window->isVisible());
}

// The EPG id window stays beside the main window, whose grid follows the ids it derives.
TEST_F(ToolWindows, TheEpgWindowOpensOnTheChosenGroupAndItsIdsReachTheMainGrid)
{
    fill({2, 2});
    start();
    chooseGroup(1);
    trigger("mnuAdd_epg_url");
    auto* epg = child<QWidget>("EPG_Code");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(child<QComboBox>(epg, "ComboGroup")->currentText(), "G2");
    child<QLineEdit>(epg, "txtEPG")->setText("hr");
    prompter.acknowledge();
    click(epg, "cmdOK");
    EXPECT_EQ(cell(channels(), 1, ChannelGridModel::kTvgIdColumn), "g2.2.hr");
    click(epg, "cmdSIPTV");
    ASSERT_EQ(openedUrls.size(), 1);
    EXPECT_EQ(openedUrls.front().path(), "/codes/");
}

TEST_F(ToolWindows, ExplorerTransfersAndTheSourcePaneAfterItsGroupWent)
{
    fill({3, 1, 2});
    start();
    ui::Channel_Explorer* explorer = openExplorer();
    auto* left = child<QComboBox>(explorer, "ComboGroup");
    auto* right = child<QComboBox>(explorer, "ComboGroup2");
    EXPECT_EQ(left->currentText(), "G1");
    EXPECT_EQ(right->currentText(), "G1");
    prompter.acknowledge();
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::SameGroupInBothLists));
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2"); // the last group has none after it
    EXPECT_EQ(right->currentText(), "G3");

    // G2's only channel, on the first row, goes to G3: G2 goes too, and the left pane shows the
    // first group left.
    click(explorer, "cmdNap_G");
    ASSERT_EQ(left->currentText(), "G2");
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_EQ(store().names("G3"), (Names{"G2.1", "G3.1", "G3.2"}));
    EXPECT_EQ(left->currentText(), "G1");
    EXPECT_EQ(child<QTableView>(explorer, "TDBGrid2")->model()->rowCount(), 3);

    // One channel from the right pane back, not from the first row: the groups stay.
    choose(child<QTableView>(explorer, "TDBGrid2"), 2);
    click(explorer, "cmdPremakni_Levo");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3", "G3.2"}));
    expectSound();
}

TEST_F(ToolWindows, TickedTransferTakesTheTicksOfEveryGroup)
{
    fill({3, 1, 2});
    start();
    ui::Channel_Explorer* explorer = openExplorer();
    auto* leftGrid = child<QTableView>(explorer, "TDBGrid1");
    auto* rightGrid = child<QTableView>(explorer, "TDBGrid2");
    // A tick in G3, made in the right pane, which then shows G2; a tick in G1, on the left.
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2");
    child<QAction>(explorer, "mnuMulitiselect_move_to_group2")->trigger();
    tick(rightGrid, 1); // G3.2
    click(explorer, "cmd_Naz_G2");
    child<QAction>(explorer, "mnuMulitiselect_move_to_group")->trigger();
    tick(leftGrid, 2);
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(store().names("G2"), (Names{"G1.3", "G2.1", "G3.2"}));
    // Both panes leave their ticking modes.
    EXPECT_TRUE(leftGrid->isColumnHidden(0));
    EXPECT_TRUE(rightGrid->isColumnHidden(0));
    expectSound();
}

// The explorer's and the search's own commands are steps of the playlist's history, undone from
// their Edit menus; their play buttons preview over them.
TEST_F(ToolWindows, TheirStepsAreUndoneFromTheirEditMenusAndTheyPlayOverThemselves)
{
    fill({3, 1, 2});
    start();
    ui::Channel_Explorer* explorer = openExplorer();
    click(explorer, "cmdNap_G2"); // the right pane shows G2
    choose(child<QTableView>(explorer, "TDBGrid1"), 1);
    click(explorer, "cmdPremakni_Desno");
    auto* undo = child<QAction>(explorer, "mnuUndoStep");
    EXPECT_EQ(undo->text(), "Undo \"Move 'G1.2' to 'G2'\"");
    undo->trigger();
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3"}));
    EXPECT_EQ(child<QTableView>(explorer, "TDBGrid2")->model()->rowCount(), 1);

    choose(child<QTableView>(explorer, "TDBGrid2"), 0);
    click(explorer, "cmdPlay2");
    auto* player = explorer->findChild<player::ui::Player*>("Player");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->windowTitle(), "G2.1");
    explorer->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    click("cmdChannel_find");
    auto* search = child<tools::ui::Poisci_Kanal>(window.get(), "Poisci_Kanal");
    child<QLineEdit>(search, "txtNajdi")->setText("G3.2");
    for (int i = 0; i < 500 && search->searching(); ++i) {
        QTest::qWait(10);
    }
    auto* hits = child<QTableView>(search, "TDBGrid1");
    ASSERT_EQ(hits->model()->rowCount(), 1);
    hits->setCurrentIndex(hits->model()->index(0, 2));
    click(search, "cmdPlay");
    player = search->findChild<player::ui::Player*>("Player");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->windowTitle(), "G3.2");
    player->close();
    QApplication::processEvents();
}

TEST_F(ToolWindows, TheChannelEditorPlaysWithTheStreamsOwnHeaders)
{
    fill({2});
    store().db.exec("UPDATE Playlist SET extras = '\n#EXTVLCOPT:http-user-agent=Kodi/20' "
                    "WHERE name = 'G1.2'");
    start();
    test::DialogScript script;
    script.then([&](QDialog& editor) {
        auto* grid = editor.findChild<QTableView*>("TDBGrid1");
        grid->setCurrentIndex(grid->model()->index(1, 1));
        test::DialogScript::click(editor, "cmdPlay");
        // The player belongs to the editor while it is open, so it takes input.
        auto* player = editor.findChild<player::ui::Player*>("Player");
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->windowTitle(), "G1.2");
        // The fake goes with the player window, so its options are read while it is open.
        ASSERT_EQ(players.size(), 1u);
        EXPECT_EQ(players[0]->lastOptions.userAgent, "Kodi/20");
        player->close();
        test::DialogScript::click(editor, "cmdIzlaz");
    });
    trigger("mnuEdit_all_channels");
    EXPECT_EQ(players.size(), 1u);
}

TEST_F(ToolWindows, TheStartUpCheckAsksOnlyWhenThePlayerDoesNotWork)
{
    start();
    EXPECT_EQ(vlc(), "0");
    EXPECT_EQ(probes, 0);
    window.reset();
    playerWorks = false;
    prompter.answer(false);
    start();
    EXPECT_EQ(prompter.texts(), QStringList{player::kMediaPlayerQuestion});
    prompter.verify();
    window.reset();
    prompter.answer(true);
    start();
    EXPECT_EQ(vlc(), "1");
    prompter.verify();
    window.reset();
    start(); // never asked again
    EXPECT_EQ(probes, 2);
}

TEST_F(ToolWindows, PlayEntriesOpenOnePlayerOnTheCurrentChannel)
{
    start();
    window->findChild<QAbstractButton*>("cmdPlay")->click(); // no channels: nothing opens
    EXPECT_EQ(window->findChild<player::ui::Player*>("Player"), nullptr);
    window.reset();
    fill({2, 3});
    start();
    chooseChannel(1);
    window->findChild<QAbstractButton*>("cmdPlay")->click();
    auto* player = window->findChild<player::ui::Player*>("Player");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->windowTitle(), "G1.2");
    chooseChannel(0);
    trigger("mnuPlayChannel");
    EXPECT_EQ(player->windowTitle(), "G1.1");
    chooseChannel(1);
    trigger("mnuPlayChannel2");
    EXPECT_EQ(players.size(), 1u); // the same window
    EXPECT_EQ(player->windowTitle(), "G1.2");
    player->close();
    QApplication::processEvents();
}

} // namespace
} // namespace listrion::editing
