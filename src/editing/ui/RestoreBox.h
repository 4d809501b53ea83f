#pragma once

#include "editing/ui/EditingContext.h"

class QDialog;
class QWidget;

namespace listrion::editing::ui {

// The "Restore" box of the editors: cmdSave (a numbered copy after the question), cmdChannel_undo2
// (the playlist as it was loaded, then Main/64), cmdLast_undo (the window of the numbered
// copies) and cmdIzlaz (closes `window`). Every restore tells all windows.
QWidget* buildRestoreBox(QDialog* window, const EditingContext& context);

} // namespace listrion::editing::ui
