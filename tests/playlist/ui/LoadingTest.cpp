#include "playlist/ui/Loading.h"

#include "controls/Gumb.h"
#include "settings/LanguageFile.h"
#include "settings/Settings.h"
#include "settings/SettingsKey.h"
#include "store/Schema.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"
#include "text/CountText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace listrion::playlist::ui {
namespace {

namespace fs = std::filesystem;

// Slows the reader down (each line waits a little) so that a Cancel lands in the middle.
class SlowObserver final : public ProgressObserver {
public:
    explicit SlowObserver(ProgressObserver* window) : m_window(window) {}
    void progress(const Progress& p) override { m_window->progress(p); }
    bool cancelRequested() override
    {
        std::this_thread::sleep_for(std::chrono::microseconds(20));
        return m_window->cancelRequested();
    }

private:
    ProgressObserver* m_window;
};

class LoadingWindow : public ::testing::Test {
protected:
    LoadingWindow()
    {
        options.dataMdb = folder.file("data.mdb");
        options.tempM3u = folder.file("temp.m3u");
    }

    // `count` two-line entries without a header, channel i in group "G" + (i % 7).
    fs::path generated(int count) const
    {
        std::string bytes;
        for (int i = 1; i <= count; ++i) {
            const std::string n = std::to_string(i);
            bytes += "#EXTINF:-1 group-title=\"G" + std::to_string(i % 7) + "\",Channel " + n +
                     "\r\nhttp://live.example/" + n + (i % 3 == 0 ? ".mkv" : "") + "\r\n";
        }
        return folder.write("big.m3u", bytes);
    }

    QString textOf(const Loading& window, const char* name) const
    {
        if (const auto* l = window.findChild<QLabel*>(name)) {
            return l->text();
        }
        const auto* box = window.findChild<QLineEdit*>(name);
        return box != nullptr ? box->text() : QString("(missing %1)").arg(name);
    }

    static void click(Loading& window, const char* name)
    {
        auto* b = window.findChild<QAbstractButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // Starts a slowed-down read of `file` and returns once its first entries show.
    void startSlowly(Loading& window, const fs::path& file) const
    {
        window.setRun([file](const OpenOptions& o, ProgressObserver* observer) {
            SlowObserver slow(observer);
            return Open_Playlist(file, o, &slow);
        });
        window.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return textOf(window, "LabelStevec") != "0"; }, 30000));
    }

    static bool runToEnd(Loading& window)
    {
        QSignalSpy finished(&window, &QDialog::finished);
        window.start();
        return finished.wait(60000);
    }

    std::int64_t storedChannels() const
    {
        return store::Schema::open(options.dataMdb).scalarInt("SELECT count(*) FROM Playlist", -1);
    }

    test::TempFolder folder;
    OpenOptions options;
    settings::LanguageFile texts{fs::path(LISTRION_SOURCE_DIR) / "data" / "English.lng", false};
    test::ScriptedPrompter prompter;
};

TEST(CountText, DigitsInGroupsOfThree)
{
    EXPECT_EQ(text::formatCount(0), "0");
    EXPECT_EQ(text::formatCount(999), "999");
    EXPECT_EQ(text::formatCount(1808), "1,808");
    EXPECT_EQ(text::formatCount(1234567), "1,234,567");
    EXPECT_EQ(text::formatCount(-1234), "-1,234");
    EXPECT_EQ(text::formatCount(700000, '.'), "700.000");
}

TEST_F(LoadingWindow, LoadsACorpusFileAndShowsItsCounters)
{
    const fs::path file =
        fs::path(LISTRION_CORPUS_DIR) / "05_iptv-org_2023_published_countries_us.m3u";
    Loading window(QString::fromStdString(file.string()), options, texts, prompter);
    EXPECT_EQ(textOf(window, "StatusBar1_Panel2"), "05_iptv-org_2023_published_countries_us.m3u");
    ASSERT_TRUE(runToEnd(window));

    const LoadResult& result = window.loadResult();
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(storedChannels(), result.channels());
    const auto shown = [](std::int64_t n) {
        return QString::fromStdString(text::formatCount(n));
    };
    EXPECT_EQ(textOf(window, "LabelStevec"), shown(result.counts.entries));
    EXPECT_EQ(textOf(window, "lblSkupina_1"), shown(result.counts.groups));
    EXPECT_EQ(textOf(window, "lblSkupina_3"), shown(result.counts.live));
    EXPECT_EQ(textOf(window, "lblSkupina_4"), shown(result.counts.vod));
    EXPECT_EQ(textOf(window, "Label1"), "Loading : 100.0 %");
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(LoadingWindow, CancelKeepsTheCompleteEntriesReadSoFar)
{
    const int count = 30000;
    const fs::path file = generated(count);
    Loading window(QString::fromStdString(file.string()), options, texts, prompter);
    QSignalSpy finished(&window, &QDialog::finished);
    ASSERT_NO_FATAL_FAILURE(startSlowly(window, file));
    // Closing the window while it reads stops the run rather than closing it.
    window.reject();
    EXPECT_TRUE(window.isRunning() || finished.count() == 1);
    click(window, "cmdStop_Find");
    ASSERT_TRUE(finished.count() == 1 || finished.wait(30000));

    const LoadResult& result = window.loadResult();
    ASSERT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_GT(result.channels(), 0);
    EXPECT_LT(result.channels(), count);
    EXPECT_EQ(storedChannels(), result.channels());
}

// After the last line the snapshot and the indexes are written under their own text, and
// Cancel still reaches the run.
TEST_F(LoadingWindow, StoringTheRowsReadShowsTheBackupTextAndCanBeCancelled)
{
    Loading window("list.m3u", options, texts, prompter);
    window.setRun([](const OpenOptions&, ProgressObserver* observer) {
        Progress storing;
        storing.activity = Activity::MakingBackup;
        observer->progress(storing);
        LoadResult result;
        while (observer->cancelRequests() == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        result.status = LoadStatus::Cancelled;
        return result;
    });
    QSignalSpy finished(&window, &QDialog::finished);
    window.start();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return textOf(window, "Label1") == "Please wait. Making backup !"; }, 10000));
    click(window, "cmdStop_Find");
    ASSERT_TRUE(finished.count() == 1 || finished.wait(10000));
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(LoadingWindow, LimitButtonsMoveTheLimitByTwentyThousandAndCheck1RemovesIt)
{
    const fs::path file = generated(30000);
    Loading window(QString::fromStdString(file.string()), options, texts, prompter);
    EXPECT_EQ(textOf(window, "lblOmejitev"), "700.000");
    click(window, "cmdNap_G"); // already the highest
    EXPECT_EQ(window.limit(), 700000);
    click(window, "cmd_Naz_G");
    click(window, "cmd_Naz_G");
    click(window, "cmdNap_G");
    EXPECT_EQ(textOf(window, "lblOmejitev"), "680.000");
    EXPECT_EQ(window.limit(), 680000);

    auto* unlimited = window.findChild<QCheckBox*>("Check1");
    ASSERT_NE(unlimited, nullptr);
    unlimited->click();
    EXPECT_EQ(textOf(window, "lblOmejitev"), "0");
    EXPECT_EQ(window.limit(), ReaderOptions::kNoLimit);
    EXPECT_FALSE(window.findChild<controls::Gumb*>("cmd_Naz_G")->isEnabled());
    unlimited->click();
    EXPECT_EQ(window.limit(), 700000);

    // Lowered while the load runs, the limit stops it; the 20,000th entry reached the limit on
    // its #EXTINF: line, so its link line is not read.
    QSignalSpy finished(&window, &QDialog::finished);
    ASSERT_NO_FATAL_FAILURE(startSlowly(window, file));
    for (int i = 0; i < 40; ++i) { // never below the smallest limit
        click(window, "cmd_Naz_G");
    }
    EXPECT_EQ(textOf(window, "lblOmejitev"), "20.000");
    ASSERT_TRUE(finished.count() == 1 || finished.wait(60000));
    EXPECT_EQ(window.loadResult().status, LoadStatus::LimitReached);
    EXPECT_EQ(storedChannels(), 19999);
}

TEST_F(LoadingWindow, AFailedDownloadOffersTheBrowserOrRemembersTheAddress)
{
    const QString address = "http://127.0.0.1:9/list.m3u"; // nothing listens on port 9
    const QString question = QString::fromStdString(texts.text("Main", 179));
    ASSERT_FALSE(question.isEmpty());
    const settings::Settings settings(folder.file("Settings.ini"));
    for (const bool yes : {true, false}) {
        Loading window(address, options, texts, prompter);
        QStringList opened;
        window.setAddressOpener([&opened](const QString& a) { opened << a; });
        window.setSettings(&settings);
        prompter.answer(yes);
        ASSERT_TRUE(runToEnd(window));
        EXPECT_EQ(window.loadResult().status, LoadStatus::DownloadFailed);
        EXPECT_EQ(window.result(), QDialog::Rejected);
        EXPECT_EQ(prompter.texts(), QStringList{question});
        EXPECT_EQ(opened, yes ? QStringList{address} : QStringList{});
        EXPECT_EQ(settings.read(settings::Keys::URL), yes ? "" : address.toStdString());
        prompter.verify();
    }
}

} // namespace
} // namespace listrion::playlist::ui
