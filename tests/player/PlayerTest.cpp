#include "player/MediaPlayerCheck.h"
#include "player/PlayerCommands.h"
#include "player/VlcPreviewPlayer.h"

#include "settings/Settings.h"
#include "support/LinkTestServer.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"
#include "support/TestClip.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace listrion::player {
namespace {

using State = VlcPreviewPlayer::State;

std::unique_ptr<VlcPreviewPlayer> quietPlayer()
{
    return VlcPreviewPlayer::create({"--aout=adummy", "--vout=vdummy"});
}

TEST(MediaPlayerCheck, AsksOnlyWhenThePlayerDoesNotWorkAndRemembersYes)
{
    test::TempFolder folder;
    const settings::Settings settings(folder.file("Settings.ini"));
    int asked = 0;
    int probed = 0;
    const auto check = [&](bool works, bool answer) {
        checkMediaPlayer(
            settings,
            [&] {
                ++probed;
                return works;
            },
            [&] {
                ++asked;
                return answer;
            });
        return settings.read(settings::Keys::VLC);
    };
    // A first start stores "0" and asks nothing, whatever the player does.
    EXPECT_EQ(check(false, true), "0");
    EXPECT_EQ(asked + probed, 0);
    // No: asked again at every start.
    EXPECT_EQ(check(false, false), "0");
    EXPECT_EQ(check(false, false), "0");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(check(false, true), "1");
    EXPECT_EQ(asked, 3);
    // After Yes the question never comes again, even without the player.
    EXPECT_EQ(check(false, false), "1");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(probed, 3);
    // A working player is recorded without a question.
    settings.write(settings::Keys::VLC, "0");
    EXPECT_EQ(check(true, false), "1");
    EXPECT_EQ(asked, 3);
}

TEST(PlayerCommands, DeletingAChannelRecountsItsGroupAndKeepsThePositions)
{
    test::TempFolder folder;
    test::PlaylistStore store(folder.file("data.mdb"));
    store.fill({2, 1});
    EXPECT_EQ(groupsByPosition(store.db), (std::vector<std::string>{"G1", "G2"}));
    const std::int64_t g21 = store.db.scalarInt("SELECT rowid FROM Playlist WHERE name='G2.1'", 0);
    const std::int64_t g11 = store.db.scalarInt("SELECT rowid FROM Playlist WHERE name='G1.1'", 0);
    EXPECT_EQ(deletePlayedChannel(store.db, g11), "G1");
    EXPECT_EQ(store.names(), (std::vector<std::string>{"G1.2", "G2.1"}));
    EXPECT_EQ(store.column("Playlist", "broj"), (std::vector<std::int64_t>{2, 3}));
    EXPECT_EQ(deletePlayedChannel(store.db, g21), "G2");
    EXPECT_EQ(store.column("Grupa", "count"), (std::vector<std::int64_t>{1, 0}));
    EXPECT_EQ(deletePlayedChannel(store.db, g21), std::nullopt);
}

TEST(VlcPreviewPlayer, PlaysStopsAndClearsALocalClip)
{
    std::string why;
    ASSERT_TRUE(VlcPreviewPlayer::works(&why)) << why;
    test::TempFolder folder;
    const std::string clip = test::writeTestClip(folder).string();
    std::unique_ptr<VlcPreviewPlayer> vlc = quietPlayer();
    ASSERT_NE(vlc, nullptr);
    QSignalSpy playing(vlc.get(), &PreviewPlayer::playing);
    QSignalSpy failed(vlc.get(), &PreviewPlayer::failed);

    vlc->stop(); // nothing plays yet: harmless
    vlc->clear();
    vlc->add(clip);
    vlc->play();
    ASSERT_TRUE(playing.wait(10000));
    EXPECT_EQ(vlc->state(), State::Playing);
    EXPECT_EQ(vlc->media(), clip);
    vlc->stop();
    vlc->flush();
    EXPECT_NE(vlc->state(), State::Playing);
    EXPECT_EQ(vlc->media(), clip);
    vlc->clear();
    vlc->flush();
    EXPECT_EQ(vlc->media(), "");
    EXPECT_EQ(failed.count(), 0);

    // A failure is told for the address added last, not for one the window has left.
    vlc->add("file:///no/such/clip.wav");
    vlc->play();
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_EQ(vlc->state(), State::Failed);
    // The window moves on before the failure of the address it left arrives.
    vlc->stop();
    vlc->add(folder.file("gone.wav").string());
    vlc->play();
    vlc->flush();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (vlc->state() != State::Failed && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(vlc->state(), State::Failed);
    vlc->stop();
    vlc->clear();
    vlc->add("file://" + clip);
    vlc->play();
    ASSERT_TRUE(playing.wait(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(failed.count(), 1);
}

TEST(VlcPreviewPlayer, SendsAChannelsOwnAgentAndReferrer)
{
    test::LinkTestServer server;
    std::unique_ptr<VlcPreviewPlayer> vlc = quietPlayer();
    ASSERT_NE(vlc, nullptr);
    vlc->add(server.url("/agent"), {"Kodi/20", "https://tv.example/"});
    vlc->play();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server.hits("/agent") == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(server.lastAgent(), "Kodi/20 | https://tv.example/");
    vlc->stop();
}

} // namespace
} // namespace listrion::player
