#pragma once

class QTableView;

namespace listrion::controls {

// The look and behaviour every store grid shares: whole rows selected one at a time, no cell
// editing, and a "sel." column (column 0) whose ticks the window toggles on a click. Tab leaves
// the grid for the next control; Ctrl+Tab and the arrow keys move inside it; Space ticks the
// current row (a click on its "sel." cell).
void prepareGrid(QTableView* grid);

} // namespace listrion::controls
