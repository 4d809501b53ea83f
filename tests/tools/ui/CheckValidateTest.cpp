#include "tools/ui/Check_Validate.h"

#include "editing/StoreEvents.h"
#include "settings/LanguageFile.h"
#include "settings/Settings.h"
#include "store/UndoSnapshot.h"
#include "support/FakePreviewPlayer.h"
#include "support/LinkTestServer.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::tools::ui {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Names = std::vector<std::string>;
using Operations = std::vector<std::string>;

class CheckValidate : public ::testing::Test {
protected:
    void channel(const std::string& grupa, const std::string& name, std::int64_t broj,
                 const std::string& link, bool ticked = false)
    {
        const std::int64_t id = store.channel(grupa, name, broj, ticked);
        store.db.prepare("UPDATE Playlist SET link = ? WHERE rowid = ?").bindAll(link, id).run();
    }

    std::unique_ptr<Check_Validate> open()
    {
        Check_Validate::Services services{
            prompter,
            events,
            [](QWidget*) { return std::make_unique<test::FakePreviewPlayer>(); },
            [this] { ++backups; },
            [this](QWidget*) { ++restores; },
            {},
            [this](std::string* why) {
                ++probes;
                *why = "no plug-ins";
                return playerWorks;
            },
            {}};
        auto window = std::make_unique<Check_Validate>(store.db, texts, settings, services);
        window->start();
        return window;
    }

    // The texts of a column of the grid, top to bottom.
    static Names column(const Check_Validate& window, int column)
    {
        const auto* model = window.findChild<QTableView*>("TDBGrid1")->model();
        Names values;
        for (int row = 0; row < model->rowCount(); ++row) {
            values.push_back(model->index(row, column).data().toString().toStdString());
        }
        return values;
    }

    static void click(Check_Validate& window, const char* name)
    {
        auto* button = window.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static QString label(const Check_Validate& window, const char* name)
    {
        return window.findChild<QLabel*>(name)->text();
    }

    static test::FakePreviewPlayer& fake(Check_Validate& window)
    {
        return *dynamic_cast<test::FakePreviewPlayer*>(window.previewPlayer());
    }

    QString text(const char* section, int key) const
    {
        return QString::fromStdString(texts.text(section, key));
    }

    Names ticked() const
    {
        Names names;
        store::Statement st =
            store.db.prepare("SELECT name FROM Playlist WHERE izberi <> 0 ORDER BY name");
        while (st.step()) {
            names.push_back(st.columnText(0));
        }
        return names;
    }

    test::TempFolder folder;
    test::PlaylistStore store{folder.file("data.mdb")};
    settings::LanguageFile texts{fs::path(LISTRION_SOURCE_DIR) / "data" / "English.lng", false};
    settings::Settings settings{folder.file("Settings.ini")};
    test::ScriptedPrompter prompter;
    editing::StoreEvents events;
    test::LinkTestServer server;
    bool playerWorks = true;
    int probes = 0;
    int backups = 0;
    int restores = 0;
};

TEST_F(CheckValidate, ListsByNameAndRegistersOnlyOnce)
{
    store.group("News", 1);
    channel("News", "Zeta", 1, server.url("/ok"));
    channel("News", "alpha", 2, server.url("/ok"));
    std::unique_ptr<Check_Validate> window = open();
    EXPECT_EQ(settings.read(settings::Keys::RegAsm), "1");
    EXPECT_EQ(column(*window, 2), (Names{"alpha", "Zeta"}));
    window->close();

    // Registered: the next opening checks nothing; the button checks again and says what fails.
    window = open();
    EXPECT_EQ(probes, 1);
    playerWorks = false;
    prompter.acknowledge().acknowledge();
    click(*window, "cmdRegister_dll");
    EXPECT_EQ(prompter.texts().front(), "The manual check cannot play: no plug-ins.");
    prompter.verify();
}

// Stop ends the run at once; while it runs the guarded buttons do nothing.
TEST_F(CheckValidate, StopKeepsTheWholeListAndOnlyStopRegisterAndExitActDuringARun)
{
    test::SilentPort silent;
    channel("A", "gone", 1, server.url("/missing"));
    channel("A", "silent 1", 2, silent.url());
    channel("A", "silent 2", 3, silent.url());
    std::unique_ptr<Check_Validate> window = open();
    QSignalSpy ended(window.get(), &Check_Validate::runEnded);
    click(*window, "cmdCheck");
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (label(*window, "lblStart") != "1" && std::chrono::steady_clock::now() < deadline) {
        QTest::qWait(20);
    }
    EXPECT_EQ(label(*window, "lblProcenti"), "33 %");
    click(*window, "cmdDelete_broken"); // the prompter fails the test on any question
    click(*window, "cmdPlay");
    EXPECT_EQ(fake(*window).take(), (Operations{"hide", "stop"})); // opening, and the run's start

    prompter.acknowledge();
    const auto stopped = std::chrono::steady_clock::now();
    click(*window, "cmdStop");
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, 1s);
    EXPECT_EQ(prompter.texts(), QStringList{text("Check_Link", 13)});
    EXPECT_EQ(column(*window, 2), (Names{"gone", "silent 1", "silent 2"}));
    EXPECT_EQ(ticked(), Names{"gone"});
    prompter.verify();

    // Closing the window during a run stops it without a word.
    click(*window, "cmdCheck");
    click(*window, "cmdIzlaz");
    EXPECT_FALSE(window->isRunning());
}

TEST_F(CheckValidate, DeleteAsksThenDeletesTheTickedChannelsAndTidiesTheGroups)
{
    store.fill({2, 1});
    store.db.exec("UPDATE Playlist SET izberi = 1 WHERE name IN ('G1.1', 'G2.1')");
    std::unique_ptr<Check_Validate> window = open();
    QSignalSpy changes(&events, &editing::StoreEvents::changed);
    prompter.answer(false).answer(true);
    click(*window, "cmdDelete_broken");
    EXPECT_EQ(prompter.texts(), QStringList{text("Check_Link", 6)});
    EXPECT_EQ(store.names().size(), 3u);
    click(*window, "cmdDelete_broken");
    prompter.verify();
    EXPECT_EQ(column(*window, 2), Names{"G1.2"});
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(CheckValidate, ManualCheckPlaysTheCurrentRowUntilTheRowChanges)
{
    store.fill({3});
    std::unique_ptr<Check_Validate> window = open();
    fake(*window).take();
    click(*window, "cmdPlay");
    EXPECT_EQ(fake(*window).take(),
              (Operations{"stop", "clear", "add http://tv/G1.1", "play", "show"}));
    click(*window, "cmdNap_G");
    EXPECT_EQ(fake(*window).take(), (Operations{"stop", "hide"}));
    click(*window, "cmdPlay");
    EXPECT_EQ(fake(*window).take().at(2), "add http://tv/G1.2");
    click(*window, "cmdStop_playing");
    EXPECT_EQ(fake(*window).take().back(), "hide");
    emit fake(*window).failed();
    EXPECT_EQ(label(*window, "lblStatus"), "cannot play");
}

TEST_F(CheckValidate, UndoBackupAndRestoreButtons)
{
    store.fill({2});
    std::unique_ptr<Check_Validate> window = open();
    store::takeUndoSnapshot(store.db);
    store.db.exec("DELETE FROM Playlist WHERE name = 'G1.1'");
    events.publish({editing::StoreChange::ChannelRows, {}, {}, {}});
    EXPECT_EQ(column(*window, 2), Names{"G1.2"});
    prompter.acknowledge();
    click(*window, "cmdChannel_undo2");
    EXPECT_EQ(prompter.texts(), QStringList{text("Main", 64)});
    EXPECT_EQ(column(*window, 2), (Names{"G1.1", "G1.2"}));

    click(*window, "cmdSave");
    click(*window, "cmdLast_undo");
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(restores, 1);
}

} // namespace
} // namespace listrion::tools::ui
