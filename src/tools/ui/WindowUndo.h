#pragma once

#include "settings/TextSource.h"
#include "store/Database.h"

namespace listrion::controls {
class Prompter;
}

namespace listrion::tools::ui {

// The tool windows' one-step undo: brings back the playlist as it was loaded. Tells the user
// what went wrong, or that there was nothing to undo; true when the playlist came back, and the
// window then announces the change and says so.
bool undoAllFromWindow(store::Database& db, controls::Prompter& prompter,
                       const settings::TextSource& texts);

} // namespace listrion::tools::ui
