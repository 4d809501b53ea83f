#include "editing/ui/Glavna.h"

#include "player/MediaPlayerCheck.h"
#include "player/ui/Player.h"
#include "settings/Settings.h"
#include "support/DialogScript.h"
#include "support/FakeHttp.h"
#include "support/FakePreviewPlayer.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"
#include "tools/ui/Check_Validate.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

// Serves nothing: these tests read no playlist address.

class GlavnaTools : public ::testing::Test {
protected:
    GlavnaTools() { folder.installShippedData(); }

    Glavna& start()
    {
        window = std::make_unique<Glavna>(
            folder, Glavna::Services{prompter,
                                     http,
                                     {},
                                     [this](QWidget*) {
                                         auto fake = std::make_unique<test::FakePreviewPlayer>();
                                         players.push_back(fake.get());
                                         return fake;
                                     },
                                     [this](std::string* why) {
                                         ++probes;
                                         *why = "no plug-ins";
                                         return playerWorks;
                                     }});
        window->start();
        window->show();
        QApplication::processEvents();
        return *window;
    }

    std::string vlc() const
    {
        return settings::Settings(folder.settingsIni()).read(settings::Keys::VLC);
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    test::ScriptedPrompter prompter;
    test::FakeHttp http;
    std::unique_ptr<Glavna> window;
    std::vector<test::FakePreviewPlayer*> players;
    bool playerWorks = true;
    int probes = 0;
};

TEST_F(GlavnaTools, TheChannelEditorPlaysWithTheStreamsOwnHeaders)
{
    {
        test::PlaylistStore store(folder.dataMdb());
        store.fill({2});
        store.db.exec("UPDATE Playlist SET extras = '\n#EXTVLCOPT:http-user-agent=Kodi/20' "
                      "WHERE name = 'G1.2'");
    }
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
    window->findChild<QAction*>("mnuEdit_all_channels")->trigger();
    EXPECT_EQ(players.size(), 1u);
}

TEST_F(GlavnaTools, TheStartUpCheckAsksOnlyWhenThePlayerDoesNotWork)
{
    start();
    EXPECT_EQ(vlc(), "0");
    EXPECT_EQ(probes, 0);
    window.reset();
    playerWorks = false;
    prompter.answer(false);
    start();
    EXPECT_EQ(prompter.texts(), QStringList{player::kMediaPlayerQuestion});
    EXPECT_EQ(vlc(), "0");
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

TEST_F(GlavnaTools, PlayEntriesOpenOnePlayerOnTheCurrentChannel)
{
    start();
    window->findChild<QAbstractButton*>("cmdPlay")->click(); // no channels: nothing opens
    EXPECT_EQ(window->findChild<player::ui::Player*>("Player"), nullptr);
    window.reset();
    {
        test::PlaylistStore store(folder.dataMdb());
        store.fill({2, 3});
    }
    start();
    auto* channels = window->findChild<QTableView*>("TDBGrid1");
    channels->setCurrentIndex(channels->model()->index(1, 1));
    window->findChild<QAbstractButton*>("cmdPlay")->click();
    auto* player = window->findChild<player::ui::Player*>("Player");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->isVisible());
    EXPECT_EQ(player->windowTitle(), "G1.2");
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0]->take(),
              (std::vector<std::string>{"stop", "clear", "add http://tv/G1.2", "play"}));
    channels->setCurrentIndex(channels->model()->index(0, 1));
    window->findChild<QAction*>("mnuPlayChannel")->trigger();
    window->findChild<QAction*>("mnuPlayChannel2")->trigger();
    EXPECT_EQ(players.size(), 1u); // the same window
    EXPECT_EQ(player->windowTitle(), "G1.1");
    player->close();
    QApplication::processEvents();
}

TEST_F(GlavnaTools, TheLinkCheckerHidesTheMainWindowUntilItCloses)
{
    start();
    window->findChild<QAction*>("mnuCheck_broken_channels")->trigger();
    EXPECT_EQ(window->findChild<tools::ui::Check_Validate*>("Check_Validate"), nullptr);
    window.reset();
    {
        test::PlaylistStore store(folder.dataMdb());
        store.fill({1});
    }
    start();
    window->findChild<QAction*>("mnuCheck_broken_channels")->trigger();
    auto* checker = window->findChild<tools::ui::Check_Validate*>("Check_Validate");
    ASSERT_NE(checker, nullptr);
    EXPECT_TRUE(checker->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(settings::Settings(folder.settingsIni()).read(settings::Keys::RegAsm), "1");
    checker->close();
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace listrion::editing
