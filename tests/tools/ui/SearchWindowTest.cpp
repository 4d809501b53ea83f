// The search window driven by its controls' names with scripted answers, checked on the store.
#include "tools/ui/Poisci_Kanal.h"

#include "ToolWindowFixture.h"
#include "support/MenuEntries.h"
#include "tools/SearchGridModel.h"
#include "tools/SearchRunner.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace listrion::tools::ui {
namespace {

class SearchWindow : public ToolWindowTest {
protected:
    void open()
    {
        window = std::make_unique<Poisci_Kanal>(s.db, *texts, settings,
                                                Poisci_Kanal::Services{prompter, events}, nullptr);
        tested = window.get();
        window->show();
        settle();
    }
    // Waits for the answer to the newest search.
    void settle()
    {
        for (int i = 0; i < 500 && window->searching(); ++i) {
            QTest::qWait(10);
        }
        ASSERT_FALSE(window->searching());
        QApplication::processEvents();
    }
    void find(const QString& text)
    {
        child<QLineEdit>("txtNajdi")->setText(text);
        settle();
    }
    void trigger(const char* name) { child<QAction>(name)->trigger(); }
    QTableView* grid() const { return child<QTableView>("TDBGrid1"); }
    // The grid's rows as group/name.
    Names shown() const
    {
        Names rows;
        const auto* model = static_cast<const SearchGridModel*>(grid()->model());
        for (int row = 0; row < model->rowCount(); ++row) {
            rows.push_back(model->grupa(row) + "/" + model->name(row));
        }
        return rows;
    }
    void choose(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 2)); }
    void tick(int row)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(grid()->model()->index(row, 0)).center());
    }
    void chooseIn(const char* submenu, const QString& group)
    {
        EXPECT_TRUE(test::triggerEntry(*child<QMenu>(submenu), group)) << group.toStdString();
        settle();
    }
    std::int64_t ticked() const
    {
        return s.db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi <> 0", 0);
    }

    std::unique_ptr<Poisci_Kanal> window;
};

TEST_F(SearchWindow, EveryKeystrokeSearchesAndTheEmptyBoxShowsNothing)
{
    s.fill({3, 2, 2});
    open();
    EXPECT_EQ(shown().size(), 7u); // opening shows every channel by name
    find("G1.2");
    EXPECT_EQ(shown(), (Names{"G1/G1.2"}));
    find("");
    EXPECT_EQ(shown(), Names{});
    trigger("mnuSortiraj_sve_po_imenu");
    settle();
    EXPECT_EQ(shown().size(), 7u);
    // The tick column and play button are hidden outside multi-select mode.
    EXPECT_TRUE(grid()->isColumnHidden(0));
    EXPECT_FALSE(child<controls::Gumb>("cmdPlay")->isVisible());
}

TEST_F(SearchWindow, SelectAllTicksHitsThatAreNotShownAndLeavingUnticksAll)
{
    s.fill({300, 300});
    open();
    find(".1");
    ASSERT_EQ(shown().size(), 222u); // more than a grid shows or reads at once
    trigger("mnuMulitiselect_move_to_group");
    tick(0);
    EXPECT_EQ(ticked(), 1);
    trigger("mnuSelect_all");
    EXPECT_EQ(ticked(), 222);
    EXPECT_EQ(child<QAction>("mnuSelect_all")->text(), text(settings::Texts::DeselectAll));
    trigger("mnuDisable_multiselect_mode");
    EXPECT_EQ(ticked(), 0);
    EXPECT_TRUE(grid()->isColumnHidden(0));
}

// Only a move from the first row removes the group it empties.
TEST_F(SearchWindow, MoveFromTheFirstRowRemovesTheGroupItEmpties)
{
    s.fill({1, 1, 1});
    open();
    find("g");
    choose(1);
    prompter.acknowledge();
    chooseIn("mnuMoveToGroup", "G3");
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G3"}));
    choose(0);
    prompter.acknowledge();
    chooseIn("mnuMoveToGroup", "G3");
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::ChangesMade));
    EXPECT_EQ(s.groups(), (Names{"G2", "G3"}));
    EXPECT_EQ(shown(), (Names{"G3/G1.1", "G3/G2.1", "G3/G3.1"}));
    expectSound();
}

TEST_F(SearchWindow, UndoAndItsMessages)
{
    s.fill({3, 2, 2});
    open();
    prompter.acknowledge();
    child<controls::Gumb>("cmdChannel_undo2")->click();
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::NothingToUndo));
    s.db.exec("INSERT INTO Grupa_backup SELECT * FROM Grupa; "
              "INSERT INTO Playlist_backup SELECT * FROM Playlist");
    find("g1.1");
    choose(0);
    prompter.acknowledge();
    chooseIn("mnuMoveToGroup", "G3");
    QSignalSpy changed(&events, &editing::StoreEvents::changed);
    prompter.acknowledge();
    child<controls::Gumb>("cmdChannel_undo2")->click();
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::UndoDone));
    EXPECT_EQ(changed.size(), 1);
    settle();
    EXPECT_EQ(shown(), (Names{"G1/G1.1"}));
}

TEST_F(SearchWindow, OnlyTheNewestSearchIsAnsweredAndAReloadSeesChanges)
{
    s.fill({3, 2});
    SearchRunner runner(folder.dataMdb());
    std::vector<std::vector<std::int64_t>> answers;
    QObject::connect(&runner, &SearchRunner::found,
                     [&answers](const std::vector<std::int64_t>& ids) { answers.push_back(ids); });
    const auto wait = [&runner] {
        for (int i = 0; i < 500 && runner.busy(); ++i) {
            QTest::qWait(10);
        }
    };
    runner.search("g1");
    // The answer to "g1" is on its way when the next search comes: it is not delivered.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    runner.search("g2.");
    wait();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers.back().size(), 2u);
    s.channel("G2", "G2.3", 6);
    runner.search("g2.");
    wait();
    EXPECT_EQ(answers.back().size(), 2u); // the index was read before the channel came
    runner.reload();
    runner.search("g2.");
    wait();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers.back().size(), 3u);
}

} // namespace
} // namespace listrion::tools::ui
