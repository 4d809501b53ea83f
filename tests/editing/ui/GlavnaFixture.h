#pragma once

#include "controls/Gumb.h"
#include "editing/ui/Glavna.h"
#include "settings/LanguageFile.h"
#include "settings/TextCatalogue.h"
#include "support/FakeHttp.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace listrion::editing {

inline const std::filesystem::path kCorpus = LISTRION_CORPUS_DIR;
inline const QString kIndonesia =
    QString::fromStdString((kCorpus / "06_iptv-org-build_2026-02_countries_id.m3u").string());

// The main window over a fresh program folder, driven by control names and a scripted
// prompter.
class GlavnaTest : public ::testing::Test {
protected:
    GlavnaTest() { folder.installShippedData(); }

    Glavna& start()
    {
        window = std::make_unique<Glavna>(folder,
                                          Glavna::Services{prompter, http, [this](const QUrl& url) {
                                                               openedUrls << url;
                                                           }});
        window->start();
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <typename T> T* child(const char* name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<controls::Gumb>(name), Qt::LeftButton); }
    void trigger(const char* name) { child<QAction>(name)->trigger(); }
    QTableView* groups() const { return child<QTableView>("TDBGrid2"); }
    QTableView* channels() const { return child<QTableView>("TDBGrid1"); }
    QString caption(const char* name) const { return child<QLabel>(name)->text(); }
    void clickCell(QTableView* grid, int row, int column)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    QString text(settings::TextKey key) const
    {
        return QString::fromStdString(
            settings::LanguageFile::current(settings(), folder).text(key));
    }
    settings::Settings settings() const { return settings::Settings(folder.settingsIni()); }
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
    std::unique_ptr<Glavna> window;
};

} // namespace listrion::editing
