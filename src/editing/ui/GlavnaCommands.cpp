#include "editing/ui/Glavna.h"

#include "controls/BackgroundRun.h"
#include "controls/PlaylistFileRequests.h"
#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/WaitPanel.h"
#include "playlist/PlaylistOpening.h"
#include "playlist/ui/Loading.h"
#include "settings/TextCatalogue.h"
#include "store/Tables.h"
#include "store/UndoSnapshot.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QUrl>

#include <exception>

namespace listrion::editing {
namespace {

// Wide enough to read a pasted playlist address.
constexpr int kAddressBoxWidth = 640;

QString storeError(const std::exception& error)
{
    return QString("The playlist database could not be changed: %1").arg(error.what());
}

} // namespace

bool Glavna::offerToSave()
{
    if (!hasChannels(*m_db)) {
        return true;
    }
    if (!m_services.prompter.question(text(settings::Texts::SaveFirstQuestion))) {
        return true;
    }
    // Yes but no file written (the dialog was cancelled, the save failed): nothing is replaced.
    return Save_Playlist();
}

void Glavna::newPlaylist()
{
    try {
        if (!offerToSave()) {
            return;
        }
        editing::newPlaylist(*m_db);
    } catch (const std::exception& error) {
        m_services.prompter.message(storeError(error));
        return;
    }
    m_channels->showAll();
    setTitle();
    setPlaylistLabel(QString());
    m_statusCodepage->clear();
    Kreiraj_Meni();
    refreshGrids();
    m_services.prompter.message(text(settings::Texts::NewPlaylistCreated));
}

void Glavna::closePlaylist()
{
    try {
        if (!offerToSave()) {
            return;
        }
        editing::closePlaylist(*m_db);
    } catch (const std::exception& error) {
        m_services.prompter.message(storeError(error));
        return;
    }
    Kreiraj_Meni();
    refreshGrids();
    setPlaylistLabel(QString());
    m_statusCodepage->clear();
}

void Glavna::Popravi_Group_Type()
{
    Isklopi_Sve();
    m_wait->start("Please wait. I fixing group tipe !");
    bool repaired = true;
    try {
        repaired = controls::runInBackground(
            this, m_folder.dataMdb(), "Please wait. I fixing group tipe !", "Repair group types",
            [](store::Database& worker) { editing::Popravi_Group_Type(worker); });
    } catch (const std::exception& error) {
        repaired = false;
        m_services.prompter.message(storeError(error));
    }
    const std::string group = currentGroup();
    m_groups->reload();
    groupGridLayout();
    selectGroupRow(std::max(0, m_groups->rowOfGroup(group)));
    m_wait->finish();
    Uklopi_Sve();
    showCodepage();
    if (repaired) {
        m_services.prompter.message("Group type error fixed !");
    }
}

void Glavna::Reload_Playlist()
{
    Isklopi_Sve();
    try {
        // A million channels take seconds: the window keeps repainting and offers Cancel.
        controls::runInBackground(
            this, m_folder.dataMdb(), "Please wait. Playlist is renumbering...",
            "Renumber the playlist",
            [](store::Database& worker) { editing::Reload_Playlist(worker); });
    } catch (const std::exception& error) {
        m_services.prompter.message(storeError(error));
    }
    Uklopi_Sve();
    refreshGrids();
}

void Glavna::undo()
{
    if (m_groups->rowCount() == 0) {
        return;
    }
    const std::string group = currentGroup();
    store::RestoreResult result = store::RestoreResult::NoSnapshot;
    try {
        // Copying a large snapshot back takes seconds; Cancel leaves the playlist as it is.
        if (!controls::runInBackground(
                this, m_folder.dataMdb(), "Please wait. Playlist is loading...",
                [&result](store::Database& worker) {
                    result = undoAllChanges(worker, store::RestoreForm::MainWindow);
                })) {
            return;
        }
    } catch (const std::exception& error) {
        m_services.prompter.message(storeError(error));
        return;
    }
    if (result == store::RestoreResult::NoSnapshot) {
        m_services.prompter.message(text(settings::Texts::NothingToUndo));
        return;
    }
    Kreiraj_Meni();
    m_groups->reload();
    groupGridLayout();
    const int remembered = m_groups->rowOfGroup(group);
    selectGroupRow(
        remembered >= 0
            ? remembered
            : static_cast<int>(m_settings.readNumber(settings::Keys::PozicijaG).value_or(0)));
    m_services.prompter.message(text(settings::Texts::UndoDone));
}

void Glavna::Open_Playlist()
{
    if (!offerToSave()) {
        return;
    }
    const std::optional<QString> file =
        m_services.prompter.openFile(controls::kOpenPlaylistRequest);
    if (!file || file->isEmpty()) {
        return;
    }
    openPlaylistFile(*file);
}

void Glavna::openNamedFile(const QString& path)
{
    // Told before anything is asked or shown: the open playlist stays as it is.
    if (!QFileInfo::exists(path)) {
        m_services.prompter.message(text(settings::Texts::PlaylistFileMissing) + " " + path);
        return;
    }
    if (offerToSave()) {
        openPlaylistFile(path);
    }
}

playlist::OpenOptions Glavna::openOptions() const
{
    playlist::OpenOptions options;
    options.reader.region = m_settings.region();
    const text::CodepageChoice codepage = m_settings.codepageChoice();
    options.reader.codepage = codepage.page;
    options.reader.automaticCodepage = codepage.automatic;
    options.reader.mode = playlist::playlistModeSetting(m_settings.read(settings::Keys::M3U));
    options.dataMdb = m_folder.dataMdb();
    options.tempM3u = m_folder.tempM3u();
    return options;
}

void Glavna::openPlaylistFile(const QString& path)
{
    setPlaylistLabel(path);
    runLoading(path);
}

void Glavna::Open_URL()
{
    if (!offerToSave()) {
        return;
    }
    // The open playlist stays until the new one has been downloaded and read.
    const std::optional<QString> answer =
        m_services.prompter.input("Please paste you playlist !", {}, {}, kAddressBoxWidth);
    const QString address =
        QString::fromStdString(playlist::typedAddress(answer.value_or(QString()).toStdString()));
    if (address.isEmpty()) {
        return;
    }
    setPlaylistLabel(address);
    // The loading window shows the wait for the server itself.
    runLoading(address, true);
}

void Glavna::runLoading(const QString& source, bool address)
{
    Isklopi_Sve();
    playlist::ui::Loading loading(source, openOptions(), *m_texts, m_services.prompter, this);
    if (address) {
        loading.setAddress();
    }
    loading.setHttpClient(&m_services.http);
    loading.setSettings(&m_settings);
    loading.setAddressOpener([this](const QString& link) { m_services.openUrl(QUrl(link)); });
    loading.exec();
    m_wait->finish();
    Uklopi_Sve();
    showCodepage();
    // The loading window has told the user about any failure; the grids show what the store
    // holds: the new playlist, or the one that stayed.
    if (!loading.loadResult().stored()) {
        showChosenPlaylist();
    } else {
        rememberOpened(source, address);
    }
    Kreiraj_Meni();
    m_channels->showAll();
    m_groups->reload();
    groupGridLayout();
    selectGroupRow(0);
}

} // namespace listrion::editing
