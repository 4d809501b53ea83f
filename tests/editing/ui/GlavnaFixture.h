#pragma once

#include "controls/Gumb.h"
#include "editing/ui/Glavna.h"
#include "settings/LanguageFile.h"
#include "settings/TextCatalogue.h"
#include "support/FakeHttp.h"
#include "support/FakePreviewPlayer.h"
#include "support/MenuEntries.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace listrion::editing {

inline const std::filesystem::path kCorpus = LISTRION_CORPUS_DIR;
inline const QString kIndonesia =
    QString::fromStdString((kCorpus / "06_iptv-org-build_2026-02_countries_id.m3u").string());

using Names = std::vector<std::string>;

// The main window over a fresh program folder, driven by control names and a scripted
// prompter; its preview players are fakes and its player check answers `playerWorks`.
class GlavnaTest : public ::testing::Test {
protected:
    GlavnaTest() { folder.installShippedData(); }

    // Groups G1, G2, ... with the given numbers of channels, counted, before the window starts.
    void fill(const std::vector<int>& sizes)
    {
        test::PlaylistStore s(folder.dataMdb());
        s.fill(sizes);
        s.recount();
    }

    Glavna::Services services()
    {
        return {prompter,
                http,
                [this](const QUrl& url) { openedUrls << url; },
                [this](QWidget*) {
                    auto fake = std::make_unique<test::FakePreviewPlayer>();
                    players.push_back(fake.get());
                    return fake;
                },
                [this](std::string* why) {
                    ++probes;
                    *why = "no plug-ins";
                    return playerWorks;
                },
                lockWait,
                versionFileUrl};
    }
    Glavna& start()
    {
        window = std::make_unique<Glavna>(folder, services());
        window->start();
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <typename T> T* child(const char* name) const { return child<T>(window.get(), name); }
    template <typename T> static T* child(const QObject* in, const char* name)
    {
        T* found = in->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<controls::Gumb>(name), Qt::LeftButton); }
    static void click(QWidget* in, const char* name) { child<controls::Gumb>(in, name)->click(); }
    void trigger(const char* name) { child<QAction>(name)->trigger(); }
    QTableView* groups() const { return child<QTableView>("TDBGrid2"); }
    QTableView* channels() const { return child<QTableView>("TDBGrid1"); }
    QString caption(const char* name) const { return child<QLabel>(name)->text(); }
    static void clickCell(QTableView* grid, int row, int column)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    static void tick(QTableView* grid, int row) { clickCell(grid, row, 0); }
    static void choose(QTableView* grid, int row)
    {
        grid->setCurrentIndex(grid->model()->index(row, 1));
    }
    static QString cell(QTableView* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
    void chooseGroup(int row) { choose(groups(), row); }
    void chooseChannel(int row) { choose(channels(), row); }
    // Chooses the entry of a group submenu (mnuxxx, mnuxxxCopy2, ...).
    void chooseIn(const char* submenu, const QString& group)
    {
        EXPECT_TRUE(test::triggerEntry(*child<QMenu>(submenu), group)) << group.toStdString();
    }
    QString text(settings::TextKey key) const
    {
        return QString::fromStdString(
            settings::LanguageFile::current(settings(), folder).text(key));
    }
    settings::Settings settings() const { return settings::Settings(folder.settingsIni()); }
    test::PlaylistStore store() const { return test::PlaylistStore(folder.dataMdb()); }
    void expectSound() const
    {
        const std::vector<std::string> problems = store().problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }
    // Opens the Indonesian corpus playlist through the open command and its dialog.
    void openCorpus()
    {
        prompter.chooseFile(kIndonesia);
        click("cmdOpen");
        prompter.verify();
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    test::ScriptedPrompter prompter;
    test::FakeHttp http;
    QList<QUrl> openedUrls;
    std::vector<test::FakePreviewPlayer*> players; // made by the window, owned by its players
    bool playerWorks = true;
    int probes = 0;
    std::chrono::milliseconds lockWait = store::FolderLock::kDefaultWait;
    std::string versionFileUrl; // none: no update check at start
    std::unique_ptr<Glavna> window;
};

} // namespace listrion::editing
