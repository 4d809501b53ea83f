#include "tools/ui/WindowUndo.h"

#include "controls/Prompter.h"
#include "editing/PlaylistCommands.h"
#include "settings/TextCatalogue.h"

#include <QString>

#include <exception>

namespace listrion::tools::ui {

bool undoAllFromWindow(store::Database& db, controls::Prompter& prompter,
                       const settings::TextSource& texts)
{
    store::RestoreResult result = store::RestoreResult::NoSnapshot;
    try {
        result = editing::undoAllChanges(db, store::RestoreForm::Editor);
    } catch (const std::exception& error) {
        prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
    if (result == store::RestoreResult::NoSnapshot) {
        prompter.message(QString::fromStdString(texts.text(settings::Texts::NothingToUndo)));
        return false;
    }
    return true;
}

} // namespace listrion::tools::ui
