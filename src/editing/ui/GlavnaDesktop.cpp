#include "editing/ui/Glavna.h"

#include "listrion/Version.h"
#include "settings/RecentPlaylists.h"
#include "settings/TextCatalogue.h"
#include "settings/UpdateDeployment.h"
#include "settings/UserInstall.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

namespace listrion::editing {
namespace {

QUrl address(std::string_view text)
{
    return QUrl(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

void Glavna::buildDesktopEntries()
{
    using namespace settings::Texts;
    QMenu* help = findChild<QMenu*>("mnuHelp");
    help->menuAction()->setVisible(true);
    addCommand(help, "mnuHelp_errors", UserGuideEntry, &Glavna::openUserGuide)
        ->setShortcut(QKeySequence::HelpContents);
    addCommand(help, "cmdCheck_Updates", VersionPageEntry, &Glavna::openVersionPage);
    addCommand(help, "cmdHome_Page", HomePageEntry, &Glavna::openHomePage);
    help->addSeparator();
    addCommand(help, "mnuCopy_to_my_documents", InstallForUserEntry, &Glavna::installForUser);
    help->addSeparator();
    // Read afresh whenever the File menu opens: another window may have opened a playlist.
    connect(findChild<QMenu*>("mnuFile"), &QMenu::aboutToShow, this, &Glavna::refreshRecentMenu);
}

void Glavna::openUserGuide()
{
    m_services.openUrl(
        QUrl::fromLocalFile(QString::fromStdString(settings::ProgramFolder::userGuide().string())));
}

void Glavna::openVersionPage()
{
    m_services.openUrl(address(std::string(settings::kVersionPageBaseUrl) + kVersionText));
}

void Glavna::openHomePage()
{
    m_services.openUrl(address(settings::kHomePageUrl));
}

void Glavna::installForUser()
{
    const std::optional<settings::UserInstall> install = settings::UserInstall::forCurrentUser();
    if (!install) {
        m_services.prompter.message("The home folder is unknown: HOME is not set.");
        return;
    }
    const std::string error = install->run(settings::UserInstall::Sources::ofProgram(
        QCoreApplication::applicationFilePath().toStdString()));
    if (!error.empty()) {
        m_services.prompter.message("The program could not be copied: " +
                                    QString::fromStdString(error));
        return;
    }
    m_services.prompter.message(
        "Folder successfully copied and Shortcut is created on the desktop !");
}

void Glavna::refreshRecentMenu()
{
    m_recentMenu->clear();
    const std::vector<std::string> entries =
        settings::RecentPlaylists(m_folder.settingsIni()).entries();
    for (const std::string& entry : entries) {
        const QString text = QString::fromStdString(entry);
        QAction* action = m_recentMenu->addAction(text);
        action->setObjectName("mnuRecentEntry");
        connect(action, &QAction::triggered, this, [this, text] { openRecent(text); });
    }
    m_recentMenu->setEnabled(!entries.empty());
}

void Glavna::rememberOpened(const QString& source, bool isAddress)
{
    const QString entry = isAddress ? source : QFileInfo(source).absoluteFilePath();
    settings::RecentPlaylists(m_folder.settingsIni()).add(entry.toStdString());
    refreshRecentMenu();
}

void Glavna::openRecent(const QString& entry)
{
    if (settings::RecentPlaylists::isAddress(entry.toStdString())) {
        // As Open_URL after its input box.
        if (offerToSave()) {
            setPlaylistLabel(entry);
            runLoading(entry, true);
        }
        return;
    }
    if (!QFileInfo::exists(entry)) {
        settings::RecentPlaylists(m_folder.settingsIni()).remove(entry.toStdString());
        refreshRecentMenu();
        m_services.prompter.message(text(settings::Texts::PlaylistFileMissing) + " " + entry);
        return;
    }
    if (offerToSave()) {
        openPlaylistFile(entry);
    }
}

} // namespace listrion::editing
