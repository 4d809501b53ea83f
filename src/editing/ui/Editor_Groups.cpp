#include "editing/ui/Editor_Groups.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/GridSetup.h"
#include "editing/ui/GroupGridPart.h"
#include "editing/ui/HistoryMenu.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"
#include "text/CountText.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace listrion::editing::ui {

Editor_Groups::Editor_Groups(const EditingContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("Editor_Groups");
    new controls::AutoResize(this);
    setWindowTitle("Group editor");
    m_model = new GroupGridModel(context.db, this);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    auto* pane = new QWidget(this);
    buildGrid(pane);
    body->addWidget(pane, 1);
    body->addWidget(buildTools());
    QMenu* menu = bar->addMenu("&Groups");
    menu->setObjectName("mnuGroups");
    buildMenus(menu);
    auto* history = new HistoryMenu(
        bar->addMenu("&Edit"), this, [this] { return &m_context.db; }, context.events,
        context.prompter);
    history->refresh();

    connect(&context.events, &StoreEvents::changed, this, &Editor_Groups::storeChanged);
    m_model->reload();
    showFooter();
    m_part->selectRow(0);
    Napuni_Kombo_Grupa();
    m_part->setCaptions();
    resize(1100, 700);
}

Editor_Groups::~Editor_Groups() = default;

void Editor_Groups::done(int result)
{
    // Ticks made for the editor's tools do not outlive it.
    if (m_part->ticksShown()) {
        m_part->leaveModes();
    }
    QDialog::done(result);
}

controls::Gumb* Editor_Groups::button(QWidget* parent, const char* name, const QString& caption)
{
    auto* gumb = new controls::Gumb(caption, parent);
    gumb->setObjectName(name);
    gumb->setMinimumSize(44, 28);
    return gumb;
}

void Editor_Groups::buildGrid(QWidget* pane)
{
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new QTableView(pane);
    m_grid->setObjectName("TDBGrid1");
    m_grid->setModel(m_model);
    prepareGrid(m_grid);
    m_model->setHeaders({"sel.", "Group name", "Type", "Streams"});
    m_part = new GroupGridPart(
        m_grid, [this] { return m_context; }, GroupGaps::ByPosition, this);
    connect(m_part, &GroupGridPart::ticksChanged, this, [this] {
        applyGroupGridColumns(m_grid, m_context.settings, m_part->ticksShown(), GridOwner::Editor);
    });
    connect(m_part, &GroupGridPart::modesLeft, this, [this] {
        for (QCheckBox* box : {Check1, Check2, Check4}) {
            const QSignalBlocker quiet(box);
            box->setChecked(false);
        }
    });
    applyGroupGridColumns(m_grid, m_context.settings, false, GridOwner::Editor);
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == GroupGridModel::kTickColumn && m_model->toggleTick(index.row())) {
            StoreChange change;
            change.parts = StoreChange::GroupRows;
            m_context.events.publish(change);
        }
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, m_part, [this](const QModelIndex& at) {
        if (at.column() != GroupGridModel::kTickColumn) {
            m_part->editGroup();
        }
    });
    m_grid->installEventFilter(this);

    auto* commands = new QHBoxLayout;
    const std::tuple<const char*, const char*, void (GroupGridPart::*)()> buttons[] = {
        {"cmdGroup_UP", "Up", &GroupGridPart::moveUp},
        {"cmdGroup_down", "Down", &GroupGridPart::moveDown},
        {"cmdNew_group", "New", &GroupGridPart::addGroup},
        {"cmdEdit_group", "Rename", &GroupGridPart::editGroup},
        {"cmdDelete_group", "Delete", &GroupGridPart::deleteGroups},
        {"cmdZac_G", "|<", nullptr},
        {"cmd_Naz_G", "<", nullptr},
        {"cmdNap_G", ">", nullptr},
        {"cmdKonec_G", ">|", nullptr}};
    int navigation = 0;
    for (const auto& [name, caption, command] : buttons) {
        controls::Gumb* gumb = button(pane, name, caption);
        commands->addWidget(gumb);
        if (command != nullptr) {
            connect(gumb, &QAbstractButton::clicked, m_part, command);
        } else {
            const int which = navigation++;
            connect(gumb, &QAbstractButton::clicked, m_part,
                    [this, which] { m_part->goTo(which); });
        }
        if (command != nullptr && command != &GroupGridPart::deleteGroups) {
            m_part->addSingleGroupButton(gumb);
        }
    }
    commands->addStretch(1);
    m_footer = new QLabel(pane);
    m_footer->setObjectName("lblTotalChannels");
    layout->addLayout(commands);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_footer);
}

void Editor_Groups::buildMenus(QMenu* menu)
{
    auto entry = [this](QMenu* m, const char* name, const QString& caption) {
        QAction* action = m->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    connect(entry(menu, "mnuMove_group_top", "Move group to top"), &QAction::triggered, m_part,
            &GroupGridPart::moveToTop);
    connect(entry(menu, "mnuMove_group_bottom", "Move group to bottom"), &QAction::triggered,
            m_part, &GroupGridPart::moveToBottom);
    QAction* edit = entry(menu, "mnuEdit_group", "Rename group...");
    connect(edit, &QAction::triggered, m_part, &GroupGridPart::editGroup);
    m_part->addSingleGroupEntry(edit);
    menu->addSeparator();
    QAction* mode = entry(menu, "mnuMultiselect_delete_groups", {});
    connect(mode, &QAction::triggered, m_part, &GroupGridPart::switchDeleteMode);
    m_part->addDeleteModeEntry(mode);
    QAction* all = entry(menu, "mnuSelect_all_delete_group", {});
    all->setVisible(false);
    connect(all, &QAction::triggered, m_part, &GroupGridPart::selectAll);
    m_part->addSelectAllEntry(all);
    menu->addSeparator();
    connect(entry(menu, "mnuExit", "Close"), &QAction::triggered, this, &QDialog::accept);

    auto* popup = new QMenu(this);
    popup->setObjectName("mnuGroups2");
    connect(entry(popup, "mnuMove_group_up2", "Move group up"), &QAction::triggered, m_part,
            &GroupGridPart::moveUp);
    connect(entry(popup, "mnuMove_group_down2", "Move group down"), &QAction::triggered, m_part,
            &GroupGridPart::moveDown);
    QAction* remove = entry(popup, "mnuDelete_group2", "Delete group");
    connect(remove, &QAction::triggered, m_part, &GroupGridPart::deleteGroups);
    QAction* add = entry(popup, "mnuAdd_group2", "Add group...");
    connect(add, &QAction::triggered, m_part, &GroupGridPart::addGroup);
    m_part->addSingleGroupEntry(remove);
    m_part->addSingleGroupEntry(add);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this, popup](QPoint at) { popup->popup(m_grid->viewport()->mapToGlobal(at)); });
}

bool Editor_Groups::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        m_part->deleteKey();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Editor_Groups::storeChanged(const StoreChange& change)
{
    std::string group = m_part->currentGroup();
    if (!change.renamedFrom.empty() && store::compareText(group, change.renamedFrom) == 0) {
        group = change.renamedTo;
    }
    const int row = std::max(0, m_part->currentRow());
    m_model->reload();
    showFooter();
    const int again = m_model->rowOfGroup(group);
    m_part->selectRow(again >= 0 ? again : std::min(row, m_model->rowCount() - 1));
    if (change.has(StoreChange::GroupNames) || change.has(StoreChange::Playlist)) {
        Napuni_Kombo_Grupa();
    }
}

void Editor_Groups::showFooter()
{
    m_footer->setText(m_context.text(settings::Texts::ChannelsCaption) + " : " +
                      QString::fromStdString(text::formatCount(m_model->totalChannels())));
}

void Editor_Groups::tickingBox(QCheckBox* box, bool on)
{
    if (on) {
        for (QCheckBox* other : {Check1, Check2, Check4}) {
            if (other != box) {
                const QSignalBlocker quiet(other);
                other->setChecked(false);
            }
        }
    }
    m_part->setTicking(on);
}

} // namespace listrion::editing::ui
