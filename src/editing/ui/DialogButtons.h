#pragma once

#include "editing/ui/EditingContext.h"

class QBoxLayout;
class QDialog;

namespace listrion::controls {
class Gumb;
}

namespace listrion::editing::ui {

// The save and cancel buttons of the small dialogs (cmdSave, cmdCancel), captioned from the
// language file, added at the bottom right of `layout`. Cancel closes the dialog.
struct DialogButtons {
    controls::Gumb* cmdSave = nullptr;
    controls::Gumb* cmdCancel = nullptr;

    DialogButtons(QDialog* dialog, QBoxLayout* layout, const EditingContext& context);
};

} // namespace listrion::editing::ui
