#pragma once

#include "controls/GridLook.h"
#include "settings/Settings.h"

#include <QFont>

class QTableView;

namespace listrion::settings {
class TextSource;
}
namespace listrion::editing {
class StoreGridModel;
}

namespace listrion::editing::ui {

using controls::prepareGrid;

// Whose grid is formatted: the editor windows (group and channel editor, explorer) give the
// text of their grids the font of the character-set region (Region 1) where Fonts names none.
enum class GridOwner { MainWindow, Editor };

// A grid font from Settings.ini (Fonts n: name, Fonts n+1: size); empty entries keep the
// built-in font.
QFont gridFont(const settings::Settings& settings, settings::SettingsKey name,
               settings::SettingsKey size, const QString& builtInName, int builtInSize);
// The width in pixels of grid column `key` (Sirina 1..9, in twips), or the built-in width.
int columnWidth(const settings::Settings& settings, int key);
// The group grid's columns: fonts Fonts 3/4, widths Sirina 7..9, the columns the column
// chooser hides (Prikaz 8, 9), the tick column as asked.
void applyGroupGridColumns(QTableView* grid, const settings::Settings& settings, bool ticks,
                           GridOwner owner = GridOwner::MainWindow);
// A channel grid's columns: captions, font Fonts 1/2, widths Sirina 1..6, the columns the
// column chooser hides (Prikaz 2..6), the tick column as asked.
void applyChannelGridColumns(QTableView* grid, StoreGridModel& model,
                             const settings::Settings& settings, const settings::TextSource& texts,
                             bool ticks, GridOwner owner = GridOwner::MainWindow);

} // namespace listrion::editing::ui
