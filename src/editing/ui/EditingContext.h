#pragma once

#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/TextSource.h"
#include "store/Database.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace listrion::editing::ui {

// What the editing windows and dialogs work with: the store and its change notices, the
// language texts, the dialog service and the program folder with its settings.
struct EditingContext {
    store::Database& db;
    StoreEvents& events;
    const settings::TextSource& texts;
    controls::Prompter& prompter;
    const settings::ProgramFolder& folder;
    const settings::Settings& settings;
    // Plays a channel (group, row id) in the stream player over a window; empty when the
    // program has no player.
    std::function<void(QWidget* over, const std::string& group, std::int64_t rowId)> play = {};
    // Opens the regional restructuring in place of the main window; empty when the program
    // has none.
    std::function<void()> openRestructuring = {};

    QString text(settings::TextKey key) const { return QString::fromStdString(texts.text(key)); }
    void message(settings::TextKey key) const { prompter.message(text(key)); }
};

} // namespace listrion::editing::ui
