#pragma once

#include "editing/ui/EditingContext.h"

class QWidget;

namespace listrion::editing::ui {

// The "Restore" box of the editors: cmdSave (a numbered copy after the question), cmdChannel_undo2
// (the playlist as it was loaded, then Main/64), cmdLast_undo (the window of the numbered
// copies) and cmdIzlaz (closes `window`, accepting it when it is a dialog). Every restore tells
// all windows. `context` must outlive the window.
QWidget* buildRestoreBox(QWidget* window, const EditingContext& context);

} // namespace listrion::editing::ui
