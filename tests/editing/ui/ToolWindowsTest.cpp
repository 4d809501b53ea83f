// The channel explorer, and how the main window opens the explorer, the search and the merge
// windows in its place; driven by the controls' names with scripted answers.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/ui/Channel_Explorer.h"
#include "player/ui/Player.h"
#include "playlist/HttpClient.h"
#include "settings/TextCatalogue.h"
#include "support/FakePreviewPlayer.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"
#include "tools/ui/Merge_Playlist.h"
#include "tools/ui/Poisci_Kanal.h"

#include <QLineEdit>
#include <QTest>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;

class NoHttp : public playlist::HttpClient {
public:
    playlist::HttpResult get(const std::string&, const playlist::HttpLimits&, const BodySink&,
                             const CancelTest&) override
    {
        return {};
    }
};

class ToolWindows : public ::testing::Test {
protected:
    ToolWindows()
    {
        folder.installShippedData();
        test::PlaylistStore s(folder.dataMdb());
        s.fill({3, 1, 2});
        s.recount();
        window = std::make_unique<Glavna>(
            folder, Glavna::Services{prompter,
                                     http,
                                     {},
                                     [this](QWidget*) {
                                         ++players;
                                         return std::make_unique<test::FakePreviewPlayer>();
                                     },
                                     [](std::string*) {
                                         return true;
                                     }});
        window->start();
        window->show();
        QApplication::processEvents();
    }
    template <typename T> T* child(QWidget* in, const char* name) const
    {
        T* found = in->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* in, const char* name) { child<controls::Gumb>(in, name)->click(); }
    // The explorer, opened from the main window.
    ui::Channel_Explorer* openExplorer()
    {
        click(window.get(), "cmdChannel_Explorer");
        return child<ui::Channel_Explorer>(window.get(), "Channel_Explorer");
    }
    void tick(QTableView* grid, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
    void choose(QTableView* grid, int row) { grid->setCurrentIndex(grid->model()->index(row, 1)); }
    QString text(settings::TextKey key) const
    {
        return QString::fromStdString(
            settings::LanguageFile::current(settings::Settings(folder.settingsIni()), folder)
                .text(key));
    }
    test::PlaylistStore store() const { return test::PlaylistStore(folder.dataMdb()); }
    void expectSound() const
    {
        const std::vector<std::string> problems = store().problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    test::ScriptedPrompter prompter;
    NoHttp http;
    int players = 0; // preview players made
    std::unique_ptr<Glavna> window;
};

TEST_F(ToolWindows, EachOpensInPlaceOfTheMainWindow)
{
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
    opens(child<QObject>(window.get(), "cmdChannel_find"), "Poisci_Kanal");
    opens(child<QObject>(window.get(), "mnuSearch_channel"), "Poisci_Kanal");
    opens(child<QObject>(window.get(), "cmdMerge"), "Merge_Playlist");
    opens(child<QObject>(window.get(), "mnuMerge_playlist"), "Merge_Playlist");
    opens(child<QObject>(window.get(), "cmdChannel_Explorer"), "Channel_Explorer");
    opens(child<QObject>(window.get(), "mnuChannel_Explorer"), "Channel_Explorer");

    // Without channels none of them opens.
    prompter.answer(false).acknowledge(); // no saving first; the new playlist is made
    child<QAction>(window.get(), "mnuNew_playlist")->trigger();
    for (const char* name : {"cmdChannel_find", "cmdMerge", "cmdChannel_Explorer"}) {
        click(window.get(), name);
        EXPECT_TRUE(window->isVisible()) << name;
    }
}

TEST_F(ToolWindows, ExplorerTransfersAndTheSourcePaneAfterItsGroupWent)
{
    ui::Channel_Explorer* explorer = openExplorer();
    auto* left = child<QComboBox>(explorer, "ComboGroup");
    auto* right = child<QComboBox>(explorer, "ComboGroup2");
    EXPECT_EQ(left->currentText(), "G1");
    EXPECT_EQ(right->currentText(), "G1");
    prompter.acknowledge();
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::SameGroupInBothLists));
    click(explorer, "cmd_Naz_G"); // the first group has none before it
    EXPECT_EQ(left->currentText(), "G1");
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2"); // nor the last one after it
    EXPECT_EQ(right->currentText(), "G3");

    // G2's only channel, on the first row, goes to G3: G2 goes too, and the left pane shows the
    // first group left.
    click(explorer, "cmdNap_G");
    ASSERT_EQ(left->currentText(), "G2");
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(store().groups(), (Names{"G1", "G3"}));
    EXPECT_EQ(store().names("G3"), (Names{"G2.1", "G3.1", "G3.2"}));
    EXPECT_EQ(left->currentText(), "G1");
    EXPECT_EQ(left->count(), 2);
    EXPECT_EQ(child<QTableView>(explorer, "TDBGrid1")->model()->rowCount(), 3);
    EXPECT_EQ(child<QTableView>(explorer, "TDBGrid2")->model()->rowCount(), 3);

    // One channel from the right pane back, not from the first row: the groups stay.
    choose(child<QTableView>(explorer, "TDBGrid2"), 2);
    click(explorer, "cmdPremakni_Levo");
    EXPECT_EQ(store().names("G1"), (Names{"G1.1", "G1.2", "G1.3", "G3.2"}));
    expectSound();
}

TEST_F(ToolWindows, TickedTransferTakesTheTicksOfEveryGroup)
{
    ui::Channel_Explorer* explorer = openExplorer();
    auto* leftGrid = child<QTableView>(explorer, "TDBGrid1");
    auto* rightGrid = child<QTableView>(explorer, "TDBGrid2");
    // A tick in G3, made in the right pane, which then shows G2.
    click(explorer, "cmdNap_G2");
    click(explorer, "cmdNap_G2");
    child<QAction>(explorer, "mnuMulitiselect_move_to_group2")->trigger();
    EXPECT_FALSE(rightGrid->isColumnHidden(0));
    tick(rightGrid, 1); // G3.2
    click(explorer, "cmd_Naz_G2");
    // Two ticks in G1, in the left pane.
    child<QAction>(explorer, "mnuMulitiselect_move_to_group")->trigger();
    tick(leftGrid, 0);
    tick(leftGrid, 2);
    choose(leftGrid, 1);
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(store().names("G2"), (Names{"G1.1", "G1.3", "G2.1", "G3.2"}));
    EXPECT_EQ(store().names("G1"), (Names{"G1.2"}));
    EXPECT_EQ(store().names("G3"), (Names{"G3.1"}));
    EXPECT_EQ(store().db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi <> 0", -1), 0);
    // Both panes leave their ticking modes.
    EXPECT_TRUE(leftGrid->isColumnHidden(0));
    EXPECT_TRUE(rightGrid->isColumnHidden(0));
    EXPECT_EQ(child<QAction>(explorer, "mnuMulitiselect_move_to_group")->text(),
              text(settings::Texts::MoveToGroupOff));
    EXPECT_EQ(rightGrid->model()->rowCount(), 4);
    expectSound();
}

// The explorer's and the search's own commands are steps of the playlist's history, undone from
// their Edit menus; their play buttons preview over them.
TEST_F(ToolWindows, TheirStepsAreUndoneFromTheirEditMenusAndTheyPlayOverThemselves)
{
    ui::Channel_Explorer* explorer = openExplorer();
    click(explorer, "cmdNap_G2"); // the right pane shows G2
    choose(child<QTableView>(explorer, "TDBGrid1"), 1);
    click(explorer, "cmdPremakni_Desno");
    EXPECT_EQ(store().names("G2"), (Names{"G1.2", "G2.1"}));
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

    click(window.get(), "cmdChannel_find");
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
    EXPECT_EQ(players, 2);
    player->close();
    QApplication::processEvents();
}

} // namespace
} // namespace listrion::editing
