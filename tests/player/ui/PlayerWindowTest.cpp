#include "player/ui/Player.h"

#include "editing/StoreEvents.h"
#include "settings/LanguageFile.h"
#include "support/FakePreviewPlayer.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::player::ui {
namespace {

namespace fs = std::filesystem;
using Operations = std::vector<std::string>;

class PlayerWindow : public ::testing::Test {
protected:
    PlayerWindow() { store.fill({3, 2}); }

    std::int64_t rowId(const std::string& name) const
    {
        return store.db.scalarInt("SELECT rowid FROM Playlist WHERE name = ?", 0, name);
    }

    // A window with a fake media player.
    std::unique_ptr<Player> open()
    {
        auto window = std::make_unique<Player>(
            store.db, texts,
            Player::Services{prompter,
                             events,
                             [](QWidget*) { return std::make_unique<test::FakePreviewPlayer>(); },
                             {}});
        window->show();
        return window;
    }

    static test::FakePreviewPlayer& fake(Player& window)
    {
        return *dynamic_cast<test::FakePreviewPlayer*>(window.previewPlayer());
    }

    static void click(Player& window, const char* name)
    {
        auto* button = window.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static QString field(const Player& window, const char* name)
    {
        return window.findChild<QLineEdit*>(name)->text();
    }

    static Operations plays(const std::string& name)
    {
        return {"stop", "clear", "add http://tv/" + name, "play"};
    }

    test::TempFolder folder;
    test::PlaylistStore store{folder.file("data.mdb")};
    settings::LanguageFile texts{fs::path(LISTRION_SOURCE_DIR) / "data" / "English.lng", false};
    test::ScriptedPrompter prompter;
    editing::StoreEvents events;
};

TEST_F(PlayerWindow, PlaysTheCurrentRowOnEveryMoveWithItsNameAsCaption)
{
    std::unique_ptr<Player> window = open();
    window->showChannels("g1", rowId("G1.2"));
    EXPECT_EQ(fake(*window).take(), plays("G1.2"));
    EXPECT_EQ(window->windowTitle(), "G1.2");
    EXPECT_EQ(field(*window, "Text1"), "0");
    EXPECT_EQ(field(*window, "Text2"), "True");
    EXPECT_EQ(window->findChild<QComboBox*>("ComboGroup")->currentText(), "G1");

    click(*window, "cmdNap_P");
    EXPECT_EQ(fake(*window).take(), plays("G1.3"));
    click(*window, "cmdNap_P"); // at the last row: nothing new
    EXPECT_EQ(fake(*window).take(), Operations{});
    click(*window, "cmdZac_P");
    EXPECT_EQ(fake(*window).take(), plays("G1.1"));
    click(*window, "cmdKonec_P");
    click(*window, "cmdNaz_P");
    EXPECT_EQ(fake(*window).take().size(), 2 * plays("G1.2").size());
    click(*window, "cmdPlay");
    EXPECT_EQ(fake(*window).take(), plays("G1.2"));
    EXPECT_EQ(window->windowTitle(), "G1.2");

    // Another group: its channels in position order, the first one playing.
    auto* combo = window->findChild<QComboBox*>("ComboGroup");
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(fake(*window).take(), plays("G2.1"));
    EXPECT_EQ(window->findChild<QTableView*>("TDBGrid1")->model()->rowCount(), 2);

    // The media player's state shows in the status line; an error until the next channel plays.
    emit fake(*window).failed();
    EXPECT_EQ(window->findChild<QLabel*>("lblStatus")->text(), "cannot play");
    click(*window, "cmdNap_P");
    EXPECT_EQ(window->findChild<QLabel*>("lblStatus")->text(), "");

    QSignalSpy closed(window.get(), &Player::closed);
    window->close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(fake(*window).take().back(), "clear");
}

TEST_F(PlayerWindow, DeletingPlaysTheRowAtTheSamePlaceAndAnEmptyGroupLeavesNothingQueued)
{
    std::unique_ptr<Player> window = open();
    QSignalSpy changes(&events, &editing::StoreEvents::changed);
    window->showChannels("G2", rowId("G2.1"));
    fake(*window).take();
    click(*window, "cmdChannel_delete");
    Operations expected = {"stop", "clear"};
    const Operations next = plays("G2.2");
    expected.insert(expected.end(), next.begin(), next.end());
    EXPECT_EQ(fake(*window).take(), expected);
    EXPECT_EQ(store.names("G2"), std::vector<std::string>{"G2.2"});

    click(*window, "cmdChannel_delete");
    EXPECT_EQ(fake(*window).take(), (Operations{"stop", "clear"}));
    EXPECT_EQ(window->findChild<QTableView*>("TDBGrid1")->model()->rowCount(), 0);
    click(*window, "cmdChannel_delete"); // nothing left: nothing happens
    click(*window, "cmdNap_P");
    EXPECT_EQ(fake(*window).take(), Operations{});
    EXPECT_EQ(changes.count(), 2);
}

} // namespace
} // namespace listrion::player::ui
