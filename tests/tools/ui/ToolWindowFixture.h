#pragma once
// A tool window over a store in a fresh program folder, driven by its controls' names with
// scripted answers. The derived fixture owns the window, so it goes before the store.
#include "controls/Gumb.h"
#include "editing/StoreEvents.h"
#include "settings/LanguageFile.h"
#include "settings/TextCatalogue.h"
#include "support/PlaylistStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QTableView>
#include <gtest/gtest.h>

#include <memory>

namespace listrion::tools::ui {

using Names = std::vector<std::string>;

class ToolWindowTest : public ::testing::Test {
protected:
    ToolWindowTest()
    {
        folder.installShippedData();
        texts = std::make_unique<settings::LanguageFile>(
            settings::LanguageFile::current(settings, folder));
    }
    template <typename T> T* child(const char* name) const
    {
        T* found = tested->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { child<controls::Gumb>(name)->click(); }
    QString text(settings::TextKey key) const { return QString::fromStdString(texts->text(key)); }
    void expectSound() const
    {
        const std::vector<std::string> problems = s.problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }

    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    settings::Settings settings{folder.settingsIni()};
    test::PlaylistStore s{folder.dataMdb()};
    std::unique_ptr<settings::LanguageFile> texts;
    test::ScriptedPrompter prompter;
    editing::StoreEvents events;
    QWidget* tested = nullptr; // the window under test, owned by the derived fixture
};

} // namespace listrion::tools::ui
