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
    for (auto [control, caption, copy] : {std::tuple{"mnuxxx", "Move to group", false},
                                          std::tuple{"mnuCopy", "Copy to group", true}}) {
        QMenu* sub = m_menu->addMenu(caption);
        sub->setObjectName(name(control));
        const bool copying = copy;
        connect(sub, &QMenu::aboutToShow, this,
                [this, sub, copying] { fillGroupSubmenu(sub, copying); });
    }
    m_menu->addSeparator();
    part->addDeleteModeEntry(
        add("mnuMultiselect_delete_channels", "", [part] { part->switchDeleteMode(); }));
    part->addSelectAllEntry(add("mnuSelect_all_delete", "", [part] { part->selectAll(); }), true);
    part->addMoveModeEntry(
        add("mnuMulitiselect_move_to_group", "", [part] { part->switchMoveMode(); }));
    part->addSelectAllEntry(add("mnuSelect_all", "", [part] { part->selectAll(); }), false);
    add("mnuMultiselect_move_up", "Move ticked channels up",
        [part] { part->stepTicked(true, true); });
    add("mnuMultiselect_move_down", "Move ticked channels down",
        [part] { part->stepTicked(false, true); });
    add("mnuMultiselect_move_to_top", "Move ticked channels to top",
        [part] { part->blockTicked(true); });
    add("mnuMultiselect_move_to_bottom", "Move ticked channels to bottom",
        [part] { part->blockTicked(false); });
    add("mnuDisable_multiselect_mode", "Leave ticking", [part] { part->leaveModes(); });
    m_menu->addSeparator();
    add("mnuAdd_Parents_Code", "Add parental code...", [part] { part->addParentCode(false); });
    add("mnuRemove_parents_code", "Remove parental code", [part] { part->removeParentCode(); });
}

// One entry per group in position order, made afresh each time the submenu opens.
void ExplorerPane::fillGroupSubmenu(QMenu* sub, bool copy)
{
    sub->clear();
    store::Statement groups = m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    while (groups.step()) {
        const QString group = QString::fromStdString(groups.columnText(0));
        QAction* entry = sub->addAction(group);
        // The move in the ticking state takes every ticked channel of the playlist.
        connect(entry, &QAction::triggered, m_part, [this, group, copy] {
            copy ? m_part->copyToGroup(group) : m_part->moveToGroup(group, true);
        });
    }
}

} // namespace listrion::editing::ui
