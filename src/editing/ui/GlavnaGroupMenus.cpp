// The group commands' entries of the main window: the Groups menu, the group grid's pop-up menu
// (entries ending in "2"), the buttons beside the group grid and its keys.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/GroupGridPart.h"
#include "settings/TextCatalogue.h"

#include <QAction>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

namespace listrion::editing {
namespace {

using ui::GroupGridPart;

controls::Gumb* smallButton(QWidget* parent, QBoxLayout* row, const char* name,
                            const QString& caption)
{
    auto* button = new controls::Gumb(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(44, 26);
    row->addWidget(button);
    return button;
}

QAction* entry(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void Glavna::buildGroupCommands(QMenu* groups, QWidget* groupPane)
{
    m_groupPart = new GroupGridPart(
        m_groupGrid, [this] { return context(); }, GroupGaps::ByTypeAndPosition, this);
    GroupGridPart* part = m_groupPart;
    connect(part, &GroupGridPart::ticksChanged, this, &Glavna::applyGroupColumns);
    connect(part, &GroupGridPart::modesLeft, this, &Glavna::leaveGroupSelection);

    using namespace settings::Texts;
    struct Entry {
        const char* main;
        const char* popup; // nullptr: no pop-up copy
        settings::TextKey caption;
        void (GroupGridPart::*command)();
        bool single; // acts on the current group: disabled while groups are ticked
    };
    const Entry entries[] = {
        {"mnuAddGroup", "mnuAdd_group2", AddGroupEntry, &GroupGridPart::addGroup, true},
        {"mnuEdit_group", "mnuEdit_group2", RenameGroupEntry, &GroupGridPart::editGroup, true},
        {"mnuDeletegroup", "mnuDelete_group2", DeleteGroupEntry, &GroupGridPart::deleteGroups,
         true},
        {"mnuMoveUpGroup", "mnuMove_group_up2", GroupUpEntry, &GroupGridPart::moveUp, false},
        {"mnuMoveDownGroup", "mnuMove_group_down2", GroupDownEntry, &GroupGridPart::moveDown,
         false},
        {"mnuMove_group_top", "mnuMove_group_top2", GroupToTopEntry, &GroupGridPart::moveToTop,
         false},
        {"mnuMove_group_bottom", "mnuMove_group_bottom2", GroupToBottomEntry,
         &GroupGridPart::moveToBottom, false},
    };
    for (const Entry& e : entries) {
        for (auto [menu, name] : {std::pair{groups, e.main}, std::pair{m_groupPopup, e.popup}}) {
            if (name == nullptr) {
                continue;
            }
            QAction* action = keyed(entry(menu, name, {}), e.caption);
            connect(action, &QAction::triggered, part, e.command);
            if (e.single) {
                part->addSingleGroupEntry(action);
            }
        }
    }
    part->addSingleGroupEntry(
        addCommand(groups, "mnuEdit_all_groups", GroupEditorEntry, &Glavna::openGroupEditor));
    groups->addSeparator();
    m_groupPopup->addSeparator();
    for (auto [menu, suffix, leave] :
         {std::tuple{groups, "", "mnuDisable_multiselect_mode_group1"},
          std::tuple{m_groupPopup, "2", "mnuDisable_multiselect_mode_group2"}}) {
        const QString s = suffix;
        QAction* mode = entry(menu, "mnuMultiselect_delete_groups" + s, {});
        connect(mode, &QAction::triggered, part, &GroupGridPart::switchDeleteMode);
        part->addDeleteModeEntry(mode);
        QAction* all = entry(menu, "mnuSelect_all_delete_group" + s, {});
        connect(all, &QAction::triggered, part, &GroupGridPart::selectAll);
        all->setVisible(false);
        part->addSelectAllEntry(all);
        connect(
            keyed(entry(menu, "mnuMultiselect_move_group_to_top" + s, {}), TickedGroupsToTopEntry),
            &QAction::triggered, part, [part] { part->moveTicked(true); });
        connect(keyed(entry(menu, "mnuMultiselect_move_group_to_bottom" + s, {}),
                      TickedGroupsToBottomEntry),
                &QAction::triggered, part, [part] { part->moveTicked(false); });
        connect(keyed(entry(menu, leave, {}), LeaveTickingEntry), &QAction::triggered, part,
                &GroupGridPart::leaveModes);
    }

    // Buttons beside the grid: the commands, then the navigation.
    auto* layout = static_cast<QBoxLayout*>(groupPane->layout());
    auto* commands = new QHBoxLayout;
    auto* navigation = new QHBoxLayout;
    layout->insertLayout(1, commands);
    layout->addLayout(navigation);
    const std::tuple<const char*, settings::TextKey, void (GroupGridPart::*)()> buttons[] = {
        {"cmdGroup_UP", UpButton, &GroupGridPart::moveUp},
        {"cmdGroup_down", DownButton, &GroupGridPart::moveDown},
        {"cmdNew_group", NewButton, &GroupGridPart::addGroup},
        {"cmdEdit_group", RenameButton, &GroupGridPart::editGroup},
        {"cmdDelete_group", DeleteButton, &GroupGridPart::deleteGroups}};
    for (const auto& [name, caption, command] : buttons) {
        controls::Gumb* button = keyed(smallButton(groupPane, commands, name, {}), caption);
        connect(button, &QAbstractButton::clicked, part, command);
        if (command != &GroupGridPart::deleteGroups) {
            part->addSingleGroupButton(button);
        }
    }
    connect(keyed(smallButton(groupPane, commands, "cmdEdit_Groups", {}), EditorButton),
            &QAbstractButton::clicked, this, &Glavna::openGroupEditor);
    commands->addStretch(1);
    const char* const navigationNames[] = {"cmdZac_G", "cmd_Naz_G", "cmdNap_G", "cmdKonec_G"};
    const char* const navigationCaptions[] = {"|<", "<", ">", ">|"};
    for (int i = 0; i < 4; ++i) {
        connect(smallButton(groupPane, navigation, navigationNames[i], navigationCaptions[i]),
                &QAbstractButton::clicked, part, [part, i] { part->goTo(i); });
    }
    navigation->addStretch(1);

    m_groupGrid->installEventFilter(this);
    connect(m_groupGrid, &QAbstractItemView::doubleClicked, part, [part](const QModelIndex& at) {
        if (at.column() != GroupGridModel::kTickColumn) {
            part->editGroup();
        }
    });
}

bool Glavna::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (watched == m_groupGrid) {
            m_groupPart->deleteKey();
            return true;
        }
        if (watched == m_channelGrid) {
            m_channelPart->deleteKey();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace listrion::editing
