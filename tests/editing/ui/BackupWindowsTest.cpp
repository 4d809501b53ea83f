#include "editing/ui/Backup_Playlist.h"
#include "editing/ui/Restore_Playlist.h"

#include "settings/LanguageFile.h"
#include "store/NamedBackups.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::editing::ui {
namespace {

namespace fs = std::filesystem;

class BackupWindows : public ::testing::Test {
protected:
    BackupWindows() { store.fill({2, 3}); }

    QString text(const char* section, int key) const
    {
        return QString::fromStdString(texts.text(section, key));
    }

    static QStringList listed(const QDialog& window)
    {
        QStringList names;
        const auto* list = window.findChild<QListWidget*>("List1");
        for (int i = 0; list != nullptr && i < list->count(); ++i) {
            names << list->item(i)->text();
        }
        return names;
    }

    static void click(QDialog& window, const char* button)
    {
        auto* b = window.findChild<QAbstractButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    static void choose(QDialog& window, const QString& name)
    {
        auto* list = window.findChild<QListWidget*>("List1");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found.front());
    }

    test::TempFolder folder;
    test::PlaylistStore store{folder.file("data.mdb")};
    settings::LanguageFile texts{fs::path(LISTRION_SOURCE_DIR) / "data" / "English.lng", false};
    test::ScriptedPrompter prompter;
};

TEST_F(BackupWindows, BackupListsTheCopiesAndMakesTheNextOne)
{
    store::Naredi_Backup(store.db);
    Backup_Playlist window(store.db, texts, prompter);
    EXPECT_EQ(listed(window), QStringList{"Playlist_Backup_01"});
    window.show();
    prompter.acknowledge();
    click(window, "cmdBackup");
    EXPECT_EQ(prompter.texts(), QStringList{text("Backup", 5)});
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(store.db.scalarInt("SELECT count(*) FROM Playlist_Backup_02", -1), 5);
    prompter.verify();

    // Cancel closes the window and makes no copy; nor does No to the save buttons' offer.
    Backup_Playlist again(store.db, texts, prompter);
    EXPECT_EQ(listed(again), (QStringList{"Playlist_Backup_01", "Playlist_Backup_02"}));
    again.show();
    click(again, "cmdCancel");
    EXPECT_FALSE(again.isVisible());
    prompter.answer(false);
    EXPECT_FALSE(Backup_Playlist::offerBackup(store.db, texts, prompter));
    EXPECT_EQ(prompter.texts().back(), text("Backup", 4));
    EXPECT_FALSE(store.db.tableExists("Playlist_Backup_03"));
}

// Nothing chosen or an incomplete copy changes nothing; the chosen copy comes back and stays.
TEST_F(BackupWindows, RestoreBringsBackOnlyACompleteChosenCopy)
{
    store::Naredi_Backup(store.db); // 01: G1 and G2 with five channels
    store.db.exec("DELETE FROM Playlist WHERE grupa = 'G2'; DELETE FROM Grupa WHERE grupa = 'G2'");
    store::Naredi_Backup(store.db); // 02: G1 only
    store.db.dropTable("Grupa_Backup_02");
    const std::vector<std::string> before = store.names(); // G1.1 and G1.2

    Restore_Playlist window(store.db, texts, prompter);
    EXPECT_EQ(listed(window), (QStringList{"Playlist_Backup_01", "Playlist_Backup_02"}));
    QSignalSpy restored(&window, &Restore_Playlist::restored);
    window.show();
    click(window, "cmdRestore"); // nothing chosen: nothing happens

    choose(window, "Playlist_Backup_02");
    prompter.acknowledge();
    click(window, "cmdRestore");
    ASSERT_EQ(prompter.texts().size(), 1);
    EXPECT_TRUE(prompter.texts().front().contains("nothing was restored"));
    EXPECT_EQ(restored.count(), 0);
    EXPECT_EQ(store.names(), before);

    choose(window, "Playlist_Backup_01");
    prompter.acknowledge();
    click(window, "cmdRestore");
    EXPECT_EQ(prompter.texts().back(), text("Restore", 4));
    EXPECT_EQ(restored.count(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(store.names().size(), 5u);
    prompter.verify();
}

} // namespace
} // namespace listrion::editing::ui
