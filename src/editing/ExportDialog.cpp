#include "editing/ExportDialog.h"

#include <QStringList>

namespace listrion::editing {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString dialogFilter(std::string_view barSeparated)
{
    const QStringList parts = qText(barSeparated).split('|');
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        descriptions << parts[i];
    }
    return descriptions.join(";;");
}

ExportDialog exportDialog(playlist::ExportFormat format, const QString& lastName)
{
    const playlist::ExportFormatInfo& info = playlist::exportFormatInfo(format);
    return {qText(playlist::kExportDialogTitle), dialogFilter(info.filter),
            qText(info.defaultExtension),
            info.proposedFileName.empty() ? lastName : qText(info.proposedFileName)};
}

bool anyGroupTicked(const store::Database& db)
{
    return db.scalarInt("SELECT EXISTS (SELECT 1 FROM Grupa WHERE izberi <> 0)", 0) != 0;
}

} // namespace listrion::editing
