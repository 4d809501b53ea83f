#include "editing/ui/Glavna.h"

#include "settings/SettingsKey.h"
#include "settings/TextCatalogue.h"
#include "settings/UpdateDeployment.h"
#include "tools/UpdateCheck.h"

#include <QAction>
#include <QMenu>
#include <QUrl>

namespace listrion::editing {

void Glavna::buildUpdateEntries(bool checkAtStart)
{
    QMenu* help = findChild<QMenu*>("mnuHelp");
    help->menuAction()->setVisible(true);
    QAction* entry = keyed(help->addAction(QString()), settings::Texts::CheckUpdatesEntry);
    entry->setObjectName("mnuCheckUpdates");
    entry->setCheckable(true);
    entry->setChecked(checkAtStart);
    connect(entry, &QAction::toggled, this, [this](bool checked) {
        m_settings.write(settings::Keys::Updates, checked ? "1" : "0");
    });
}

void Glavna::startUpdateCheck()
{
    if (m_services.versionFileUrl.empty()) {
        return;
    }
    m_updateCheck = std::make_unique<tools::UpdateCheck>(
        m_services.http, m_services.versionFileUrl, m_folder.path() / "version.txt",
        [this](const tools::UpdateCheck::Result& result) {
            // Anything but a newer version ends the check without a word.
            if (result.outcome != tools::UpdateCheck::Outcome::Newer) {
                return;
            }
            // The result arrives on the check's thread; the question belongs to this window's.
            QMetaObject::invokeMethod(
                this, [this, version = result.version] { offerNewVersion(version); },
                Qt::QueuedConnection);
        });
}

void Glavna::offerNewVersion(const std::string& version)
{
    if (m_services.prompter.question(
            QString::fromStdString(tools::UpdateCheck::question(version)))) {
        m_services.openUrl(QUrl(QString::fromUtf8(settings::kDownloadPageUrl.data(),
                                                  settings::kDownloadPageUrl.size())));
    }
}

} // namespace listrion::editing
