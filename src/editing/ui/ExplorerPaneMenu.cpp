// The explorer pane's pop-up menu: moves to the ends of the group, the move-to-group and
// copy-to-group submenus, the ticking modes and the parental codes of the pane's group.
#include "editing/ui/ExplorerPane.h"

#include "editing/ui/ChannelGridPart.h"

#include <QAction>
#include <QMenu>
#include <QTableView>

namespace listrion::editing::ui {

void ExplorerPane::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(name("mnuChannels"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    ChannelGridPart* part = m_part;
    auto add = [&](const char* control, const char* caption, std::function<void()> command) {
        QAction* action = m_menu->addAction(caption);
        action->setObjectName(name(control));
        connect(action, &QAction::triggered, part, std::move(command));
        return action;
    };
    part->addChannelControl(
        add("mnuMove_Channel_to_top", "Move channel to top", [part] { part->moveToTop(); }));
    part->addChannelControl(add("mnuMove_Channel_to_bottom", "Move channel to bottom",
                                [part] { part->moveToBottom(); }));
    m_menu->addSeparator();
    // Every group, in position order.
    part->addGroupSubmenus(
        m_menu, [this](const char* control) { return name(control); },
        [this] {
            QStringList groups;
            store::Statement all =
                m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
            while (all.step()) {
                groups << QString::fromStdString(all.columnText(0));
            }
            return groups;
        });
    m_menu->addSeparator();
    part->addTickingEntries(add, false);
    m_menu->addSeparator();
    add("mnuAdd_Parents_Code", "Add parental code...", [part] { part->addParentCode(false); });
    add("mnuRemove_parents_code", "Remove parental code", [part] { part->removeParentCode(); });
}

// One entry per group in position order, made afresh each time the submenu opens.
} // namespace listrion::editing::ui
