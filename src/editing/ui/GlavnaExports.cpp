#include "editing/ui/Glavna.h"

#include "editing/ChannelGridModel.h"
#include "editing/ExportDialog.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/WaitPanel.h"
#include "playlist/Exporters.h"
#include "settings/TextCatalogue.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTableView>

namespace listrion::editing {
namespace {

constexpr const char* kWriting = "Please wait. Playlist is saving now";

const char* exportCaption(playlist::ExportFormat format)
{
    using playlist::ExportFormat;
    switch (format) {
    case ExportFormat::Enigma2:
        return "Enigma2 (userbouquet.iptv.tv)...";
    case ExportFormat::Samsung:
        return "Samsung (nStream XML)...";
    case ExportFormat::Openbox:
        return "Openbox (internettv.feed)...";
    case ExportFormat::OpticumHd:
        return "Opticum HD (.cfg)...";
    case ExportFormat::LG:
        return "LG (.txt)...";
    case ExportFormat::Azbox:
        return "Azbox (.txt)...";
    case ExportFormat::OpenboxX5:
        return "Openbox X5 (.txt)...";
    case ExportFormat::Epg:
        break;
    }
    return "";
}

} // namespace

void Glavna::buildExportMenus(QMenu* convert, QMenu* groups)
{
    for (const playlist::ExportFormatInfo& info : playlist::exportFormats()) {
        if (info.format == playlist::ExportFormat::Epg) {
            convert->addSeparator();
        }
        // The other formats are named by the boxes' own names, the same in every language.
        QAction* entry =
            info.format == playlist::ExportFormat::Epg
                ? keyed(convert->addAction(QString()), settings::Texts::EpgAddressesEntry)
                : convert->addAction(exportCaption(info.format));
        entry->setObjectName(QString::fromUtf8(info.menuEntry.data(),
                                               static_cast<qsizetype>(info.menuEntry.size())));
        const playlist::ExportFormat format = info.format;
        connect(entry, &QAction::triggered, this, [this, format] { exportTo(format); });
    }

    // The group grid's pop-up menu carries copies of the two entries of the ticked-groups export.
    groups->addSeparator();
    m_groupPopup->addSeparator();
    for (auto [menu, suffix] : {std::pair{groups, ""}, std::pair{m_groupPopup, "2"}}) {
        QAction* select = keyed(menu->addAction(QString()), settings::Texts::ExportGroupsEntry);
        select->setObjectName(QString("mnuExport") + suffix);
        connect(select, &QAction::triggered, this, &Glavna::enterGroupSelection);
        QAction* write =
            keyed(menu->addAction(QString()), settings::Texts::ExportTickedGroupsEntry);
        write->setObjectName(QString("mnuExport_Groups") + suffix);
        write->setVisible(false);
        connect(write, &QAction::triggered, this, &Glavna::exportTickedGroups);
        m_selectEntries << select;
        m_exportEntries << write;
    }
}

void Glavna::exportTo(playlist::ExportFormat format)
{
    const playlist::ExportFormatInfo& info = playlist::exportFormatInfo(format);
    if ((info.guard == playlist::ExportGuard::GroupList && m_groups->rowCount() == 0) ||
        (info.guard == playlist::ExportGuard::ChannelList && m_channels->rowCount() == 0)) {
        return;
    }
    const ExportDialog dialog = exportDialog(format, m_lastDialogName);
    const std::optional<QString> chosen = m_services.prompter.saveFile(
        {dialog.title, dialog.filter, dialog.defaultExtension, dialog.proposedName});
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    m_lastDialogName = *chosen;
    playlist::ExportRequest request;
    request.dataMdb = m_folder.dataMdb();
    request.logoMdb = m_folder.logoMdb();
    request.target = chosen->toStdString();
    request.codepage = &m_settings.codepage();
    // The EPG listing writes a .txt beside a chosen .m3u name; the question is about that file.
    const std::filesystem::path target = playlist::exportTarget(format, request.target);
    if (std::filesystem::exists(target)) {
        if (!m_services.prompter.question(text(settings::Texts::ReplaceFileQuestion), QString())) {
            return;
        }
        request.overwrite = true;
    }
    Isklopi_Sve();
    m_wait->start(kWriting);
    WaitPanelObserver observer(*m_wait);
    const playlist::ExportResult result = playlist::exportTo(format, request, &observer);
    m_wait->finish();
    Uklopi_Sve();
    // A file that could not be written ends the export without a message; an existing file is
    // left as it was.
    if (result.status == playlist::ExportStatus::Written) {
        m_services.prompter.message(text(format == playlist::ExportFormat::Epg
                                             ? settings::Texts::EpgListWritten
                                             : settings::Texts::FileSaved),
                                    QString());
    }
}

void Glavna::enterGroupSelection()
{
    m_selectingGroups = true;
    applyGroupColumns();
    for (QAction* entry : m_exportEntries) {
        entry->setVisible(true);
    }
    for (QAction* entry : m_selectEntries) {
        entry->setVisible(false);
    }
}

void Glavna::leaveGroupSelection()
{
    m_selectingGroups = false;
    applyGroupColumns();
    for (QAction* entry : m_exportEntries) {
        entry->setVisible(false);
    }
    for (QAction* entry : m_selectEntries) {
        entry->setVisible(true);
    }
}

void Glavna::exportTickedGroups()
{
    if (!anyGroupTicked(*m_db)) {
        m_services.prompter.message(text(settings::Texts::NoGroupTicked), QString());
        return;
    }
    // A cancelled dialog keeps the choice open; once the file is written the grid leaves the
    // selection mode.
    if (writePlaylist(true)) {
        leaveGroupSelection();
    }
}

} // namespace listrion::editing
