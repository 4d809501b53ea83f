// The channel explorer, and how the main window opens the explorer, the search and the merge
// windows in its place; driven by the controls' names with scripted answers.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/ui/Channel_Explorer.h"
#include "playlist/HttpClient.h"
#include "settings/TextCatalogue.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"
#include "tools/ui/Merge_Playlist.h"
#include "tools/ui/Poisci_Kanal.h"

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
        window = std::make_unique<Glavna>(folder, Glavna::Services{prompter, http, {}});
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

} // namespace
} // namespace listrion::editing
