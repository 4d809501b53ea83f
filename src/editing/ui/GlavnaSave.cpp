#include "editing/ui/Glavna.h"

#include "controls/PlaylistFileRequests.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/Backup_Playlist.h"
#include "editing/ui/Restore_Playlist.h"
#include "editing/ui/WaitPanel.h"
#include "playlist/PlaylistWriter.h"
#include "settings/TextCatalogue.h"

#include <QFileInfo>

#include <exception>

namespace listrion::editing {

bool Glavna::Save_Playlist()
{
    return writePlaylist(false);
}

bool Glavna::writePlaylist(bool tickedGroupsOnly)
{
    const std::optional<QString> file =
        m_services.prompter.saveFile(controls::kSavePlaylistRequest);
    if (!file || file->isEmpty()) {
        return false;
    }
    if (QFileInfo::exists(*file) &&
        !m_services.prompter.question(text(settings::Texts::ReplaceFileQuestion), "Naslov")) {
        return false;
    }
    Isklopi_Sve();
    m_wait->start("Please wait. Playlist is saving now");
    playlist::SaveOptions options;
    options.dataMdb = m_folder.dataMdb();
    options.codepage = &m_settings.codepage();
    options.mode = playlist::playlistModeSetting(m_settings.read(settings::Keys::M3U));
    options.replaceExisting = true;
    WaitPanelObserver observer(*m_wait);
    const playlist::SaveResult result =
        tickedGroupsOnly ? playlist::Export_Groups(file->toStdString(), options, &observer)
                         : playlist::Save_Playlist(file->toStdString(), options, &observer);
    const bool saved = result.saved();
    const QString failure = QString::fromStdString(result.message);
    m_wait->setText("Please wait. Playlist is loading...");
    m_wait->finish();
    Uklopi_Sve();
    if (!saved) {
        m_services.prompter.message(QString("The playlist was not saved: %1").arg(failure));
        return false;
    }
    m_services.prompter.message(text(settings::Texts::FileSaved));
    return true;
}

void Glavna::saveCommand()
{
    Save_Playlist();
    refreshGrids();
}

void Glavna::cmdSave2()
{
    if (m_groups->rowCount() > 0) {
        ui::Backup_Playlist::offerBackup(*m_db, *m_texts, m_services.prompter);
    }
}

void Glavna::cmdLast_undo()
{
    if (m_groups->rowCount() == 0) {
        return;
    }
    ui::Restore_Playlist restore(*m_db, *m_texts, m_services.prompter, this);
    connect(&restore, &ui::Restore_Playlist::restored, this, [this] {
        Kreiraj_Meni();
        refreshGrids();
    });
    restore.exec();
}

} // namespace listrion::editing
