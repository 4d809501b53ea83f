#include "editing/ui/GlavnaFixture.h"

#include "store/Schema.h"
#include "support/PlaylistStore.h"

#include <QMenu>
#include <QSet>

namespace listrion::editing {
namespace {

TEST_F(GlavnaTest, TabLeavesTheGridsSpaceTicksAndTheButtonsTakeTheFocus)
{
    test::PlaylistStore(folder.dataMdb()).fill({2, 3});
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    groups()->setCurrentIndex(groups()->model()->index(1, 1));
    trigger("mnuMultiselect_delete_channels"); // the channel ticks show

    // Inside a grid Ctrl+Tab and the arrows move the current cell; the focus stays.
    QTableView* grid = channels();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().column(), 2);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(1, 1));
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Space ticks the current row and a second Space unticks it.
    store::Database db = store::Schema::open(folder.dataMdb());
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(db.scalarInt("SELECT izberi FROM Playlist WHERE name = 'G2.2'", -1), 1);
    EXPECT_EQ(db.scalarInt("SELECT sum(izberi) FROM Playlist", -1), 1);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(db.scalarInt("SELECT sum(izberi) FROM Playlist", -1), 0);

    // Tab walks from the group grid through the other controls, toolbar buttons included.
    groups()->setFocus();
    QSet<QString> reached;
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* name : {"TDBGrid2", "TDBGrid1", "cmdOpen", "cmdOpenURL", "cmdSave2"}) {
        EXPECT_TRUE(reached.contains(name)) << name;
    }
}

TEST_F(GlavnaTest, AMissingFileNamedOnTheCommandLineIsToldInTheUsersLanguage)
{
    start();
    openCorpus();
    const QStringList before = {caption("lblPlaylist"), caption("StatusBar1Panel1"),
                                caption("StatusBar1Panel2"), caption("StatusBar1Panel3")};
    const QString missing = QString::fromStdString((home.path() / "gone.m3u").string());
    child<QMenu>("mnuLanguage")->actions().at(1)->trigger(); // Croatien
    const QString croatian = text(settings::Texts::PlaylistFileMissing);
    EXPECT_NE(croatian, "The playlist file was not found:");
    prompter.acknowledge();
    window->openNamedFile(missing);
    EXPECT_EQ(prompter.texts(), QStringList(croatian + " " + missing));
    prompter.verify();
    EXPECT_EQ(groups()->model()->rowCount(), 19);
    EXPECT_EQ(before, QStringList({caption("lblPlaylist"), caption("StatusBar1Panel1"),
                                   caption("StatusBar1Panel2"), caption("StatusBar1Panel3")}));
}

} // namespace
} // namespace listrion::editing
