#include "editing/ui/GlavnaFixture.h"

#include "editing/ChannelGridModel.h"
#include "editing/ui/WaitPanel.h"
#include "playlist/ExportFormat.h"
#include "settings/UpdateDeployment.h"
#include "store/History.h"
#include "store/LogoSchema.h"
#include "store/Schema.h"

#include <QHeaderView>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <sstream>

namespace listrion::editing {
namespace {

using test::PlaylistStore;

TEST_F(GlavnaTest, OpeningAFileFillsBothGridsAndFollowsTheGroupRow)
{
    start();
    openCorpus();
    ASSERT_EQ(groups()->model()->rowCount(), 19);
    EXPECT_EQ(caption("TDBGrid2Caption"), text(settings::Texts::GroupsCaption) + "( 19 ) ");
    EXPECT_EQ(caption("lblPlaylist"), "  Playlist name  :  " + kIndonesia);
    // The corpus file is UTF-8; the status bar names the code page it was read with.
    EXPECT_EQ(caption("StatusBar1Panel3"), "UTF-8");

    // The channel grid follows the current group row.
    chooseGroup(5);
    const std::string group = cell(groups(), 5, 1).toStdString();
    const auto inGroup = static_cast<int>(store().names(group).size());
    EXPECT_EQ(channels()->model()->rowCount(), inGroup) << group;
    EXPECT_TRUE(caption("TDBGrid1Caption").contains("( " + QString::number(inGroup) + " ) "));
    EXPECT_EQ(settings().readNumber(settings::Keys::PozicijaG), 5);
    // The name heading orders by name, any other heading by position again.
    const auto* model = dynamic_cast<const ChannelGridModel*>(channels()->model());
    ASSERT_NE(model, nullptr);
    channels()->horizontalHeader()->sectionClicked(1);
    EXPECT_TRUE(model->orderByName());
    channels()->horizontalHeader()->sectionClicked(3);
    EXPECT_FALSE(model->orderByName());
}

TEST_F(GlavnaTest, NewAndCloseAskToSaveThenEmptyTheStore)
{
    {
        PlaylistStore s(folder.dataMdb());
        s.fill({2, 1});
        s.db.exec("INSERT INTO Grupa_backup4 (grupa) VALUES ('old');"
                  "INSERT INTO Playlist_backup6 (grupa) VALUES ('old');");
    }
    start();
    prompter.answer(false).acknowledge();
    click("cmdNew");
    EXPECT_EQ(prompter.asked().front().text, text(settings::Texts::SaveFirstQuestion));
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::NewPlaylistCreated));
    prompter.verify();
    store::Database db = store::Schema::open(folder.dataMdb());
    EXPECT_EQ(store().groups(), Names{"New group"});
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist", -1), 0);
    EXPECT_EQ(cell(groups(), 0, 1), "New group");
    // The group menus follow the groups once they are opened.
    emit child<QMenu>("mnuxxxCopy2")->aboutToShow();
    EXPECT_EQ(child<QMenu>("mnuxxxCopy2")->actions().back()->text(), "New group");

    // No channels: close asks nothing and also empties the older undo levels.
    trigger("mnuClose_playlist");
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa", -1), 0);
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_backup6", -1), 0);
    EXPECT_EQ(groups()->model()->rowCount(), 0);
}

TEST_F(GlavnaTest, SaveAsksBeforeReplacingAFile)
{
    fill({1});
    const std::filesystem::path target = home.write("out.m3u", "old");
    start();
    // A name without an extension is saved as .m3u, so the file there is asked about.
    prompter.chooseSaveFile(QString::fromStdString((home.path() / "out").string())).answer(false);
    trigger("mnuSave_playlist");
    EXPECT_EQ(prompter.asked()[1].text, text(settings::Texts::ReplaceFileQuestion));
    EXPECT_EQ(prompter.asked()[1].title, "Naslov");
    prompter.verify();
    EXPECT_EQ(test::readFile(target), "old");

    prompter.chooseSaveFile(QString::fromStdString(target.string())).answer(true).acknowledge();
    click("cmdSave");
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::FileSaved));
    prompter.verify();
    EXPECT_NE(test::readFile(target).find("http://tv/G1.1\r\n"), std::string::npos);
}

TEST_F(GlavnaTest, TypeRepairMovesAGroupWithAVodChannelAmongTheVodGroups)
{
    fill({2, 1, 1});
    store().db.exec("UPDATE Grupa SET type = 'VOD', broj = 1 WHERE grupa = 'G3';"
                    "UPDATE Playlist SET type = 'VOD' WHERE name IN ('G1.2', 'G3.1')");
    start();
    prompter.acknowledge();
    trigger("mnuPopravi_Group_Type");
    EXPECT_EQ(prompter.asked().back().text, "Group type error fixed !");
    // The grid follows: G1 went among the VOD groups.
    EXPECT_EQ(cell(groups(), 0, 1), "G2");
}

TEST_F(GlavnaTest, RenumberRunsOffTheWindowThreadAsOneUndoableStep)
{
    fill({2, 1, 1});
    store().db.exec("UPDATE Playlist SET broj = broj * 10");
    start();
    trigger("mnuReload_playlist");
    store::Statement numbers =
        store().db.prepare("SELECT group_concat(broj, ',') FROM (SELECT broj FROM Playlist "
                           "ORDER BY broj)");
    ASSERT_TRUE(numbers.step());
    EXPECT_EQ(numbers.columnText(0), "1,2,3,4");
    EXPECT_EQ(store::History::nextUndo(store().db)->name, "Renumber the playlist");
}

TEST_F(GlavnaTest, UndoBringsBackTheLoadedPlaylist)
{
    start();
    trigger("mnuRestore_Orginal"); // an empty group grid: nothing happens, nothing is asked
    openCorpus();
    store::Database db = store::Schema::open(folder.dataMdb());
    const std::int64_t loaded = db.scalarInt("SELECT count(*) FROM Playlist", -1);
    db.exec("DELETE FROM Playlist WHERE rowid % 2 = 0");
    prompter.acknowledge();
    click("cmdChannel_undo2");
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::UndoDone));
    prompter.verify();
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist", -1), loaded);

    db.exec("DELETE FROM Grupa_backup");
    prompter.acknowledge();
    trigger("mnuRestore_Orginal");
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::NothingToUndo));
}

TEST_F(GlavnaTest, ANumberedCopyIsMadeAndBroughtBack)
{
    start();
    click("cmdSave2"); // an empty group grid: nothing is asked
    click("cmdLast_undo");
    openCorpus();
    store::Database db = store::Schema::open(folder.dataMdb());
    const std::int64_t loaded = db.scalarInt("SELECT count(*) FROM Playlist", -1);
    prompter.answer(true).acknowledge();
    click("cmdSave2");
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::BackupMade));
    prompter.verify();
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_Backup_01", -1), loaded);

    db.exec("DELETE FROM Playlist; DELETE FROM Grupa WHERE broj > 1");
    window->refreshGrids();
    ASSERT_EQ(groups()->model()->rowCount(), 1);
    // The restore window is modal: choose the copy once it shows.
    QTimer::singleShot(0, [this] {
        QWidget* restore = window->findChild<QWidget*>("Restore_Playlist");
        ASSERT_NE(restore, nullptr);
        auto* list = restore->findChild<QListWidget*>("List1");
        ASSERT_EQ(list->count(), 1);
        list->setCurrentRow(0);
        QTest::mouseClick(restore->findChild<controls::Gumb*>("cmdRestore"), Qt::LeftButton);
    });
    prompter.acknowledge();
    click("cmdLast_undo");
    prompter.verify();
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist", -1), loaded);
    EXPECT_EQ(groups()->model()->rowCount(), 19);
}

TEST_F(GlavnaTest, ChoosingALanguageTranslatesAtOnce)
{
    start();
    const QList<QAction*> entries = child<QMenu>("mnuLanguage")->actions();
    entries[1]->trigger(); // Croatien
    EXPECT_EQ(settings().read(settings::Keys::Jezik), "Croatien.lng");
    EXPECT_TRUE(entries[1]->isChecked());
    const QString croatian = text(settings::Texts::ChannelNameColumn);
    EXPECT_NE(croatian, "Channel name");
    EXPECT_EQ(channels()->model()->headerData(1, Qt::Horizontal).toString(), croatian);
    EXPECT_TRUE(caption("TDBGrid2Caption").startsWith(text(settings::Texts::GroupsCaption)));
}

// With a language file whose every text starts with a mark, every caption of the main window
// carries it: menus, entries, buttons, labels, grid headings and the message boxes' buttons.
TEST_F(GlavnaTest, EveryCaptionComesFromTheLanguageFile)
{
    fill({2, 1});
    start();
    std::istringstream english(test::readFile(home.file("English.lng")));
    std::string marked;
    for (std::string line; std::getline(english, line); marked += line + '\n') {
        if (const std::size_t at = line.find('='); at != std::string::npos && line[0] != ';') {
            line.insert(at + (line[at + 1] == '"' ? 2 : 1), "\xC2\xA4");
        }
    }
    home.write("French.lng", marked);
    child<QMenu>("mnuLanguage")->actions()[4]->trigger(); // French

    QSet<QString> named; // the boxes' export entries carry the boxes' own names
    for (const playlist::ExportFormatInfo& info : playlist::exportFormats()) {
        if (info.format != playlist::ExportFormat::Epg) {
            named << QString::fromUtf8(info.menuEntry.data(), info.menuEntry.size());
        }
    }
    QStringList unmarked;
    const auto check = [&](const QString& caption) {
        // Captions without letters ("|<", ">|") and separators need no text.
        if (caption.contains(QRegularExpression("\\p{L}")) && !caption.contains(u'\u00A4')) {
            unmarked << caption;
        }
    };
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        check(menu->title());
        for (const QAction* entry : menu->actions()) {
            if (menu->objectName() != "mnuLanguage" && !named.contains(entry->objectName())) {
                check(entry->text());
            }
        }
    }
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        const auto* button = qobject_cast<const controls::Gumb*>(widget);
        check(button ? button->text() : label && label->isVisible() ? label->text() : QString());
    }
    for (const QTableView* grid : {groups(), channels()}) {
        for (int i = 0; i < grid->model()->columnCount(); ++i) {
            check(grid->model()->headerData(i, Qt::Horizontal).toString());
        }
    }
    const controls::Prompter::ButtonTexts& box = prompter.buttonTexts();
    check(box.yes), check(box.no), check(box.ok);
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join(" | ").toStdString();
}

TEST_F(GlavnaTest, ExitSavesTheSizeAndRemovesPlaylistFiles)
{
    start();
    home.write("Mine.M3U", "x");
    home.write("keep.m3u8", "x");
    window->resize(900, 640);
    trigger("mnuIzhod");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(home.file("Mine.M3U")));
    EXPECT_TRUE(std::filesystem::exists(home.file("keep.m3u8")));
    EXPECT_EQ(settings().read(settings::Keys::Width), "900");
    EXPECT_EQ(settings().read(settings::Keys::Height), "640");
}

TEST_F(GlavnaTest, ADroppedFileOpensAsTheOpenCommandWould)
{
    fill({1});
    start();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(kIndonesia)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    prompter.answer(false);
    QApplication::sendEvent(window.get(), &drop);
    prompter.verify();
    EXPECT_EQ(groups()->model()->rowCount(), 19);
}

TEST_F(GlavnaTest, ABoxExportIsGuardedAsksForTheFileAndBeforeReplacingIt)
{
    start();
    for (const char* entry :
         {"mnuConvert_enigma_2", "mnuConvert_azbox", "mnuExport_EPG_Channels_adress"}) {
        trigger(entry); // an empty playlist: the prompter fails the test on any question
    }
    fill({2, 1});
    window->refreshGrids();
    const QString target = QString::fromStdString((home.path() / "bouquet.tv").string());
    prompter.chooseSaveFile(target).acknowledge();
    trigger("mnuConvert_enigma_2");
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::FileSaved));
    prompter.verify();
    const std::string written = test::readFile(target.toStdString());
    EXPECT_EQ(written.rfind("#NAME IPTV\r\n", 0), 0u);

    // No to the question, untitled here, keeps the file.
    prompter.chooseSaveFile(target).answer(false);
    trigger("mnuConvert_enigma_2");
    EXPECT_EQ(test::readFile(target.toStdString()), written);
    EXPECT_EQ(prompter.asked()[1].text, text(settings::Texts::ReplaceFileQuestion));
    EXPECT_EQ(prompter.asked()[1].title, "");
}

TEST_F(GlavnaTest, OnlyTheTickedGroupsAreExported)
{
    fill({1, 1, 1});
    start();
    EXPECT_TRUE(groups()->isColumnHidden(0));
    trigger("mnuExport2");
    prompter.acknowledge();
    trigger("mnuExport_Groups"); // nothing ticked: asked to tick, still choosing
    EXPECT_EQ(prompter.asked().back().text, text(settings::Texts::NoGroupTicked));
    prompter.verify();
    tick(groups(), 0);
    tick(groups(), 2);
    clickCell(groups(), 1, 1); // a click elsewhere in a row changes no tick
    const std::filesystem::path target = home.path() / "ticked.m3u";
    prompter.chooseSaveFile(QString::fromStdString(target.string())).acknowledge();
    trigger("mnuExport_Groups2");
    const std::string written = test::readFile(target);
    EXPECT_NE(written.find("http://tv/G1.1\r\n"), std::string::npos);
    EXPECT_NE(written.find("http://tv/G3.1\r\n"), std::string::npos);
    EXPECT_EQ(written.find("G2"), std::string::npos);
    EXPECT_TRUE(groups()->isColumnHidden(0));
}

TEST_F(GlavnaTest, TheEpgListingIsWrittenAsTextBesideAnM3uName)
{
    fill({1});
    store::LogoSchema::open(folder.logoMdb())
        .exec("DELETE FROM Epg; INSERT INTO Epg VALUES ('B', 'n2', 't2', 'i2'), "
              "('A', 'n1', 't1', 'i1')");
    const std::filesystem::path listing = home.write("epg.txt", "old");
    const QString chosen = QString::fromStdString((home.path() / "epg.M3U").string());
    start();
    prompter.chooseSaveFile(chosen).answer(true).acknowledge().chooseSaveFile(std::nullopt);
    trigger("mnuExport_EPG_Channels_adress");
    trigger("mnuExport_EPG_Channels_adress"); // the dialog keeps the name it last held
    EXPECT_EQ(prompter.asked().back().file.proposedName, chosen);
    EXPECT_EQ(prompter.asked()[2].text, text(settings::Texts::EpgListWritten));
    EXPECT_EQ(test::readFile(listing).rfind("[A] ---- [name=n1]", 0), 0u);
}

TEST_F(GlavnaTest, TabLeavesTheGridsSpaceTicksAndTheButtonsTakeTheFocus)
{
    fill({2, 3});
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
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(1, 2));
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Space ticks the current row and a second Space unticks it.
    store::Database db = store::Schema::open(folder.dataMdb());
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(db.scalarInt("SELECT izberi FROM Playlist WHERE name = 'G2.2'", -1), 1);
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

} // namespace
} // namespace listrion::editing

namespace listrion::editing {
namespace {

TEST(WaitPanel, BlinksItsTextCountsAndHidesWhenDone)
{
    QWidget host;
    WaitPanel panel(&host);
    host.show();
    panel.start("Please wait. Playlist is saving now");
    auto* label = panel.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.findChild<QLabel*>("lblTime")->text(), "00:00:00");
    panel.setCount(1234567);
    EXPECT_EQ(panel.findChild<QLabel*>("LabelStevec")->text(), "1,234,567");
    bool hidden = false;
    bool shownAgain = false;
    for (int i = 0; i < 40 && !(hidden && shownAgain); ++i) {
        QTest::qWait(50);
        hidden = hidden || !label->isVisible();
        shownAgain = shownAgain || (hidden && label->isVisible());
    }
    EXPECT_TRUE(hidden && shownAgain);
    panel.finish();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(label->isVisibleTo(&panel));
}

TEST_F(GlavnaTest, ANewerPublishedVersionIsOfferedAndTheCheckCanBeSwitchedOff)
{
    versionFileUrl = "https://updates.test/version.txt";
    http.bodies[versionFileUrl] = " 99.0.0 \n";
    prompter.answer(true);
    start();
    for (int i = 0; i < 500 && openedUrls.isEmpty(); ++i) {
        QTest::qWait(10);
    }
    EXPECT_EQ(prompter.texts(), QStringList{"There is a new version of the program 99.0.0  Do you "
                                            "want to open the website to download the new "
                                            "version ?"});
    EXPECT_EQ(openedUrls.value(0).toString().toStdString(), settings::kDownloadPageUrl);
    child<QAction>("mnuCheckUpdates")->trigger();
    EXPECT_EQ(settings().read(settings::Keys::Updates), "0");
}

} // namespace
} // namespace listrion::editing
