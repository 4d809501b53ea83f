#pragma once

#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/TextSource.h"
#include "store/Database.h"

#include <QString>

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

    QString text(settings::TextKey key) const { return QString::fromStdString(texts.text(key)); }
    void message(settings::TextKey key) const { prompter.message(text(key)); }
};

} // namespace listrion::editing::ui
