// The main window's Logo menu: EPG ids and logos copied between the playlist and the archive
// logo.mdb in the program folder, and the EPG source address of the playlist.
#include "editing/ui/Glavna.h"

#include "controls/BackgroundRun.h"
#include "editing/PlaylistCommands.h"
#include "settings/TextCatalogue.h"
#include "store/Tables.h"
#include "tools/ArchiveFile.h"
#include "tools/EpgArchive.h"
#include "tools/LogoArchive.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <exception>

namespace listrion::editing {
namespace {

constexpr const char* kWorking = "Please wait...";

} // namespace

void Glavna::buildArchiveEntries()
{
    using namespace settings::Texts;
    QMenu* logo = menuBar()->findChild<QMenu*>("mnuLogo");
    logo->menuAction()->setVisible(true);
    addCommand(logo, "mnuImport_EPG_channels_settings", ImportEpgEntry, &Glavna::Import_EPG);
    addCommand(logo, "mnuSave_EPG_settings_to_archive", SaveEpgArchiveEntry,
               &Glavna::saveEpgArchive);
    addCommand(logo, "mnuZapisi_EPG_Url", EpgAddressEntry, &Glavna::Zapisi_EPG_Url);
    logo->addSeparator();
    addCommand(logo, "mnuImport_Logos_From_Archive", ImportLogosEntry, &Glavna::Import_Logo);
    addCommand(logo, "mnuExport_logos_to_archive", SaveLogoArchiveEntry, &Glavna::saveLogoArchive);
}

bool Glavna::archiveReady()
{
    const std::filesystem::path file = m_folder.logoMdb();
    if (tools::checkArchive(file) == tools::ArchiveState::Usable) {
        return true;
    }
    if (!m_services.prompter.question(text(settings::Texts::ArchiveDamagedQuestion))) {
        return false;
    }
    try {
        tools::restoreArchive(file, settings::ProgramFolder::shippedFile("logo.mdb"));
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}

bool Glavna::runArchiveCommand(const QString& caption, const std::string& step,
                               const std::function<void(store::Database&)>& work)
{
    Isklopi_Sve();
    bool done = false;
    try {
        done = step.empty()
                   ? controls::runInBackground(this, m_folder.dataMdb(), caption, work)
                   : controls::runInBackground(this, m_folder.dataMdb(), caption, step, work);
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    Uklopi_Sve();
    return done;
}

void Glavna::Import_EPG()
{
    if (!hasChannels(*m_db) || !archiveReady()) {
        return;
    }
    tools::EpgImport result;
    const bool done =
        runArchiveCommand(kWorking, "Import EPG ids from the archive", [&](store::Database& db) {
            result = tools::importEpgIds(db, tools::openArchive(m_folder.logoMdb()));
        });
    if (!done) {
        return;
    }
    if (result.archiveRows == 0) {
        m_services.prompter.message(text(settings::Texts::EpgArchiveEmpty));
        return;
    }
    m_events.publish({StoreChange::ChannelRows, {}, {}, {}});
    m_services.prompter.message(text(settings::Texts::ChangesMade));
}

void Glavna::saveEpgArchive()
{
    if (!hasChannels(*m_db) || !archiveReady()) {
        return;
    }
    if (runArchiveCommand(kWorking, {}, [this](store::Database& db) {
            store::Database archive = tools::openArchive(m_folder.logoMdb());
            tools::saveEpgArchive(db, archive);
        })) {
        m_services.prompter.message(text(settings::Texts::EpgArchiveSaved));
    }
}

void Glavna::saveLogoArchive()
{
    if (!m_services.prompter.question(text(settings::Texts::SaveLogoArchiveQuestion)) ||
        !hasChannels(*m_db) || !archiveReady()) {
        return;
    }
    if (runArchiveCommand(kWorking, {}, [this](store::Database& db) {
            store::Database archive = tools::openArchive(m_folder.logoMdb());
            tools::saveLogoArchive(db, archive);
        })) {
        m_services.prompter.message(text(settings::Texts::LogoArchiveSaved));
    }
}

void Glavna::Import_Logo()
{
    if (!archiveReady()) {
        return;
    }
    tools::LogoImport result;
    const bool done = runArchiveCommand(text(settings::Texts::ImportingLogos),
                                        "Import logos from the archive", [&](store::Database& db) {
                                            result = tools::importLogos(
                                                db, tools::openArchive(m_folder.logoMdb()));
                                        });
    if (!done) {
        return;
    }
    if (result.sourceRows == 0) {
        m_services.prompter.message(text(settings::Texts::LogoArchiveEmpty));
        return;
    }
    // The count runs on over the imports of one program run.
    m_logosImported += result.assigned;
    m_events.publish({StoreChange::ChannelRows, {}, {}, {}});
    m_services.prompter.message(QString::number(m_logosImported) + " " +
                                text(settings::Texts::LogosImported));
}

void Glavna::Zapisi_EPG_Url()
{
    if (store::groupCount(*m_db) == 0) {
        return;
    }
    const std::optional<QString> answer =
        m_services.prompter.input(text(settings::Texts::EpgAddressPrompt), {}, {});
    if (!answer || answer->isEmpty()) {
        return;
    }
    const std::string address = answer->toStdString();
    runArchiveCommand(kWorking, "Set the EPG address",
                      [&address](store::Database& db) { tools::setEpgAddress(db, address); });
}

} // namespace listrion::editing
