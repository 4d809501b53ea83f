#include "editing/ui/Editor_Channels.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/Add_Group.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/GridSetup.h"
#include "editing/ui/HistoryMenu.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"
#include "text/CountText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace listrion::editing::ui {
namespace {

constexpr const char* kAll = "All";

} // namespace

Editor_Channels::Editor_Channels(const EditingContext& context, const std::string& group,
                                 QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("Editor_Channels");
    new controls::AutoResize(this);
    setWindowTitle("Channel editor");
    m_model = new ChannelGridModel(context.db, this);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    auto* pane = new QWidget(this);
    buildGrid(pane);
    body->addWidget(pane, 1);
    body->addWidget(buildTools());
    QMenu* menu = bar->addMenu("&Channels");
    menu->setObjectName("mnuChannels");
    buildMenus(menu);
    auto* history = new HistoryMenu(
        bar->addMenu("&Edit"), this, [this] { return &m_context.db; }, context.events,
        context.prompter);
    history->refresh();

    connect(&context.events, &StoreEvents::changed, this, &Editor_Channels::storeChanged);
    fillGroupLists();
    const int at = ComboGroup->findText(QString::fromStdString(group));
    ComboGroup->setCurrentIndex(std::max(0, at));
    showChosenGroup();
    m_part->setCaptions();
    resize(1250, 760);
}

Editor_Channels::~Editor_Channels() = default;

void Editor_Channels::done(int result)
{
    // Ticks made for the editor's commands do not outlive it.
    if (m_part->ticksShown()) {
        m_part->leaveModes();
    }
    QDialog::done(result);
}

controls::Gumb* Editor_Channels::button(QWidget* parent, const char* name, const QString& caption)
{
    auto* gumb = new controls::Gumb(caption, parent);
    gumb->setObjectName(name);
    gumb->setMinimumSize(40, 28);
    return gumb;
}

QComboBox* Editor_Channels::groupList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumWidth(160);
    return list;
}

void Editor_Channels::buildGrid(QWidget* pane)
{
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    controls::Gumb* previous = button(pane, "cmd_Naz_G", "<");
    ComboGroup = groupList(pane, "ComboGroup");
    controls::Gumb* next = button(pane, "cmdNap_G", ">");
    controls::Gumb* newGroup = button(pane, "cmdNew_group", "Add group");
    top->addWidget(previous);
    top->addWidget(ComboGroup, 1);
    top->addWidget(next);
    top->addWidget(newGroup);
    connect(previous, &QAbstractButton::clicked, this, [this] { stepGroup(-1); });
    connect(next, &QAbstractButton::clicked, this, [this] { stepGroup(1); });
    connect(ComboGroup, &QComboBox::activated, this, &Editor_Channels::showChosenGroup);

    m_grid = new QTableView(pane);
    m_grid->setObjectName("TDBGrid1");
    m_grid->setModel(m_model);
    prepareGrid(m_grid);
    m_part = new ChannelGridPart(
        m_grid, [this] { return m_context; }, ChannelGridPart::Form::Editor, this);
    m_part->wireEditorGrid();
    m_grid->installEventFilter(this);
    connect(newGroup, &QAbstractButton::clicked, this, [this] {
        // The group lists follow the dialog's notice.
        Add_Group dialog(m_context, this);
        dialog.exec();
    });

    auto* commands = new QHBoxLayout;
    const std::tuple<const char*, const char*, std::function<void()>, int> buttons[] = {
        {"cmdChannel_up", "Up", [this] { m_part->moveUp(true); }, 0},
        {"cmdChannel_down", "Down", [this] { m_part->moveDown(true); }, 0},
        {"cmdChannel_new", "Add", [this] { m_part->addChannel(false); }, 0},
        {"cmdChannel_edit", "Edit", [this] { m_part->editChannel(); }, 0},
        {"cmdChannel_delete", "Delete", [this] { m_part->deleteChannels(false); }, 1},
        {"cmdZac_P", "|<", [this] { m_part->goTo(0); }, 2},
        {"cmdNaz_P", "<", [this] { m_part->goTo(1); }, 2},
        {"cmdNap_P", ">", [this] { m_part->goTo(2); }, 2},
        {"cmdKonec_P", ">|", [this] { m_part->goTo(3); }, 2}};
    for (const auto& [name, caption, command, kind] : buttons) {
        controls::Gumb* gumb = button(pane, name, caption);
        commands->addWidget(gumb);
        connect(gumb, &QAbstractButton::clicked, m_part, command);
        if (kind < 2) {
            m_part->addChannelControl(gumb, kind == 1);
        }
    }
    controls::Gumb* play = button(pane, "cmdPlay", "Play");
    commands->addWidget(play);
    play->setVisible(static_cast<bool>(m_context.play));
    connect(play, &QAbstractButton::clicked, this, &Editor_Channels::playCurrent);
    m_part->addChannelControl(play);
    commands->addStretch(1);
    m_caption = new QLabel(pane);
    m_caption->setObjectName("lblChannels");
    layout->addLayout(top);
    layout->addLayout(commands);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_caption);
}

void Editor_Channels::buildMenus(QMenu* menu)
{
    ChannelGridPart* part = m_part;
    auto add = [&](const char* name, const char* caption, std::function<void()> command) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, part, std::move(command));
        return action;
    };
    part->addChannelControl(
        add("mnuMoveChannelUp", "Move channel up", [part] { part->moveUp(false); }));
    part->addChannelControl(
        add("mnuMoveChannelDown", "Move channel down", [part] { part->moveDown(false); }));
    part->addChannelControl(
        add("mnuMove_Channel_to_top", "Move channel to top", [part] { part->moveToTop(); }));
    part->addChannelControl(add("mnuMove_Channel_to_bottom", "Move channel to bottom",
                                [part] { part->moveToBottom(); }));
    add("mnuDelete_channel", "Delete channel", [part] { part->deleteChannels(true); });
    part->addChannelControl(
        add("mnuEditChannelClick", "Edit channel...", [part] { part->editChannel(); }));
    part->addChannelControl(
        add("mnuAddChannelClick", "Add channel...", [part] { part->addChannel(true); }));
    QAction* play = add("mnuPlayChannel", "Play channel", [this] { playCurrent(); });
    play->setVisible(static_cast<bool>(m_context.play));
    menu->addSeparator();
    // The group list without its "All" entry.
    m_groupSubmenus = part->addGroupSubmenus(
        menu, [](const char* name) { return QString(name); },
        [this] {
            QStringList groups;
            for (int i = 1; i < ComboGroup->count(); ++i) {
                groups << ComboGroup->itemText(i);
            }
            return groups;
        });
    menu->addSeparator();
    part->addTickingEntries(add, true);
    menu->addSeparator();
    add("mnuAdd_Parents_Code", "Add parental code...", [part] { part->addParentCode(false); });
    add("mnuRemove_parents_code", "Remove parental code", [part] { part->removeParentCode(); });
    menu->addSeparator();
    QAction* exit = menu->addAction("Close");
    exit->setObjectName("mnuExit");
    connect(exit, &QAction::triggered, this, &QDialog::accept);
}

void Editor_Channels::playCurrent()
{
    const int row = m_part->currentRow();
    if (m_context.play && row >= 0) {
        m_context.play(this, m_model->grupa(row), m_model->rowId(row));
    }
}

bool Editor_Channels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        m_part->deleteKey();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::string> Editor_Channels::chosen(const QComboBox* list)
{
    if (list->currentIndex() <= 0) {
        return std::nullopt;
    }
    return list->currentText().toStdString();
}

void Editor_Channels::fillGroupLists()
{
    QStringList names{kAll};
    store::Statement st = m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    while (st.step()) {
        names << QString::fromStdString(st.columnText(0));
    }
    for (QComboBox* list : {ComboGroup, Combo_Group_Name, Combo_Group_Find, Combo_Grupa1,
                            Combo_Grupa2, Combo_Grupa3}) {
        const QString current = list->currentText();
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(names);
        list->setCurrentIndex(std::max(0, list->findText(current)));
    }
}

void Editor_Channels::showChosenGroup()
{
    const std::optional<std::string> group = chosen(ComboGroup);
    group ? m_model->showGroupByPosition(*group) : m_model->showAll();
    for (QComboBox* list :
         {Combo_Group_Name, Combo_Group_Find, Combo_Grupa1, Combo_Grupa2, Combo_Grupa3}) {
        list->setCurrentIndex(ComboGroup->currentIndex());
    }
    m_caption->setText(m_context.text(settings::Texts::ChannelsCaption) + "( " +
                       QString::fromStdString(text::formatCount(m_model->rowCount())) + " ) ");
    m_part->selectRow(0);
}

void Editor_Channels::stepGroup(int delta)
{
    const int target = ComboGroup->currentIndex() + delta;
    if (target >= 0 && target < ComboGroup->count()) {
        ComboGroup->setCurrentIndex(target);
        showChosenGroup();
    }
}

void Editor_Channels::storeChanged(const StoreChange& change)
{
    if (change.has(StoreChange::GroupNames) || change.has(StoreChange::Playlist)) {
        std::string shown = chosen(ComboGroup).value_or(std::string());
        if (!change.renamedFrom.empty() && store::compareText(shown, change.renamedFrom) == 0) {
            shown = change.renamedTo;
            ComboGroup->setItemText(ComboGroup->currentIndex(), QString::fromStdString(shown));
        }
        fillGroupLists();
    }
    const int row = m_part->currentRow();
    const std::int64_t id = row >= 0 ? m_model->rowId(row) : 0;
    const std::optional<std::string> group = chosen(ComboGroup);
    group ? m_model->showGroupByPosition(*group) : m_model->showAll();
    m_caption->setText(m_context.text(settings::Texts::ChannelsCaption) + "( " +
                       QString::fromStdString(text::formatCount(m_model->rowCount())) + " ) ");
    const int again = m_model->rowOfId(id);
    m_part->selectRow(again >= 0 ? again : std::min(row, m_model->rowCount() - 1));
}

} // namespace listrion::editing::ui
