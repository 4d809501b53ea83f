// What the channel editor and the explorer's panes build the same way around their channel grid:
// the grid's wiring, the move-to-group and copy-to-group submenus and the ticking entries of
// the pop-up menu.
#include "editing/ui/ChannelGridPart.h"

#include "editing/ChannelGridModel.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/GridSetup.h"

#include <QAction>
#include <QMenu>
#include <QTableView>

namespace listrion::editing::ui {

void ChannelGridPart::wireEditorGrid()
{
    watchRows();
    auto columns = [this] {
        const EditingContext context = m_context();
        applyChannelGridColumns(m_grid, *model(), context.settings, context.texts, ticksShown(),
                                GridOwner::Editor);
    };
    connect(this, &ChannelGridPart::ticksChanged, this, columns);
    columns();
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == ChannelGridModel::kTickColumn && model()->toggleTick(index.row())) {
            publishChange(m_context(), StoreChange::ChannelRows);
        }
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& at) {
        if (at.column() != ChannelGridModel::kTickColumn) {
            editChannel();
        }
    });
}

QList<QMenu*> ChannelGridPart::addGroupSubmenus(QMenu* menu,
                                                const std::function<QString(const char*)>& name,
                                                std::function<QStringList()> groups)
{
    QList<QMenu*> submenus;
    for (auto [control, caption, copy] : {std::tuple{"mnuxxx", "Move to group", false},
                                          std::tuple{"mnuCopy", "Copy to group", true}}) {
        QMenu* sub = menu->addMenu(caption);
        sub->setObjectName(name(control));
        submenus << sub;
        const bool copying = copy;
        // Filled afresh each time it opens; the move in the ticking state takes every ticked
        // channel of the playlist.
        connect(sub, &QMenu::aboutToShow, this, [this, sub, copying, groups] {
            sub->clear();
            for (const QString& group : groups()) {
                connect(sub->addAction(group), &QAction::triggered, this, [this, group, copying] {
                    copying ? copyToGroup(group) : moveToGroup(group, true);
                });
            }
        });
    }
    return submenus;
}

void ChannelGridPart::addTickingEntries(const EntryMaker& add, bool withCopy)
{
    addDeleteModeEntry(add("mnuMultiselect_delete_channels", "", [this] { switchDeleteMode(); }));
    addSelectAllEntry(add("mnuSelect_all_delete", "", [this] { selectAll(); }), true);
    addMoveModeEntry(add("mnuMulitiselect_move_to_group", "", [this] { switchMoveMode(); }));
    if (withCopy) {
        add("mnuMultiselect_copy_to_group", "Select channels to copy to a group",
            [this] { enterCopyTicking(); });
    }
    addSelectAllEntry(add("mnuSelect_all", "", [this] { selectAll(); }), false);
    add("mnuMultiselect_move_up", "Move ticked channels up", [this] { stepTicked(true, true); });
    add("mnuMultiselect_move_down", "Move ticked channels down",
        [this] { stepTicked(false, true); });
    add("mnuMultiselect_move_to_top", "Move ticked channels to top", [this] { blockTicked(true); });
    add("mnuMultiselect_move_to_bottom", "Move ticked channels to bottom",
        [this] { blockTicked(false); });
    add("mnuDisable_multiselect_mode", "Leave ticking", [this] { leaveModes(); });
}

} // namespace listrion::editing::ui
