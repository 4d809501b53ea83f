// The main window's entry of the EPG id window. The window stays beside this one; its commands
// announce what they change, so the grids here follow.
#include "editing/ui/Glavna.h"

#include "settings/TextCatalogue.h"
#include "store/Tables.h"
#include "tools/ui/EPG_Code.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace listrion::editing {

void Glavna::buildEpgEntries()
{
    const auto openEpgIds = [this] {
        if (store::groupCount(*m_db) == 0) {
            return;
        }
        tools::ui::EPG_Code::Services services{m_services.prompter, m_events, m_services.openUrl};
        services.offerBackup = [this] {
            offerBackup();
        };
        services.showMain = [this] {
            show();
            raise();
            activateWindow();
        };
        auto* window = new tools::ui::EPG_Code(*m_db, *m_texts, services, currentGroup(), this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        attachHistoryMenu(window);
        window->show();
    };
    QMenu* logo = menuBar()->findChild<QMenu*>("mnuLogo");
    logo->menuAction()->setVisible(true);
    QAction* entry = keyed(logo->addAction(QString()), settings::Texts::EpgWindowEntry);
    entry->setObjectName("mnuAdd_epg_url");
    connect(entry, &QAction::triggered, this, openEpgIds);
}

} // namespace listrion::editing
