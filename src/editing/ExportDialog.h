#pragma once

#include "playlist/ExportFormat.h"
#include "store/Database.h"

#include <QString>

#include <string_view>

namespace listrion::editing {

// What the main window's save dialog shows for one export. The dialog takes its filter in the
// form "Apps (*.tv);;All files (*.*)"; the export table keeps the common dialog's form with
// description and pattern pairs separated by bars.
struct ExportDialog {
    QString title;
    QString filter;
    QString defaultExtension;
    QString proposedName;
};

// "Apps (*.tv)|*.tv|All files (*.*)|*.*" gives "Apps (*.tv);;All files (*.*)": the
// descriptions, which name their patterns, joined by ";;".
QString dialogFilter(std::string_view barSeparated);

// The dialog of an export: title, filter, default extension and proposed file name of the
// format. The EPG listing proposes no name of its own: the dialog keeps `lastName`, the name it
// last held.
ExportDialog exportDialog(playlist::ExportFormat format, const QString& lastName);

// Whether at least one group is ticked (the export of selected groups needs one).
bool anyGroupTicked(const store::Database& db);

} // namespace listrion::editing
