// The main window's entry of the regional restructuring. Its window hides the main window
// while it is open; closing it shows the main window again, its grids read afresh.
#include "editing/ui/Glavna.h"

#include "controls/BackgroundRun.h"
#include "settings/TextCatalogue.h"
#include "tools/ui/Sortiraj_Kanale_EXYU.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace listrion::editing {

void Glavna::buildRestructuringEntry()
{
    QMenu* tools = menuBar()->findChild<QMenu*>("mnuTools");
    tools->menuAction()->setVisible(true);
    QAction* entry = keyed(tools->addAction(QString()), settings::Texts::RestructuringEntry);
    entry->setObjectName("mnuRegional_restructuring");
    connect(entry, &QAction::triggered, this, &Glavna::openRestructuring);
}

void Glavna::openRestructuring()
{
    using Window = tools::ui::Sortiraj_Kanale_EXYU;
    if (findChild<Window*>("Sortiraj_Kanale_EXYU", Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    Window::Services services{m_services.prompter, m_events, m_folder.izdvojiMdb()};
    services.runLong = [this](QWidget* over, const std::string& step,
                              const std::function<void(store::Database&)>& work) {
        return controls::runInBackground(over, m_folder.dataMdb(), "Please wait...", step, work);
    };
    auto* window = new Window(*m_db, *m_texts, services, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->ready()) {
        window->close();
        return;
    }
    connect(window, &Window::closed, this, [this] {
        show();
        Kreiraj_Meni();
        refreshGrids();
    });
    attachHistoryMenu(window);
    window->show();
    hide();
}

} // namespace listrion::editing
