#pragma once

class QTableView;

namespace listrion::tools::ui {

// The look and behaviour of the tool windows' grids, as the editor's grids have them: whole
// rows selected one at a time, no cell editing, and a tick column (column 0) that the window
// toggles on a click, so its check box must not toggle it a second time.
void prepareToolGrid(QTableView* grid);

} // namespace listrion::tools::ui
