#include "editing/ui/Channel_Explorer.h"

#include "controls/AutoResize.h"
#include "editing/ui/RestoreBox.h"

#include "controls/Gumb.h"
#include "editing/ChannelCommands.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/CommandRun.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Channel_Explorer::Channel_Explorer(const EditingContext& context, ExplorerPane::Play play,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName("Channel_Explorer");
    new controls::AutoResize(this);
    setWindowTitle("Channel explorer");
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    QMenu* file = bar->addMenu("&Explorer");
    QAction* exit = file->addAction("Close");
    exit->setObjectName("mnuExit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto* panes = new QHBoxLayout;
    m_left = new ExplorerPane(context, ExplorerPane::Side::Left, play, this);
    m_right = new ExplorerPane(context, ExplorerPane::Side::Right, play, this);
    auto* middle = new QVBoxLayout;
    auto* toRight = new controls::Gumb(">>", this);
    toRight->setObjectName("cmdPremakni_Desno");
    auto* toLeft = new controls::Gumb("<<", this);
    toLeft->setObjectName("cmdPremakni_Levo");
    middle->addStretch(1);
    for (controls::Gumb* gumb : {toRight, toLeft}) {
        gumb->setMinimumSize(48, 36);
        middle->addWidget(gumb);
    }
    middle->addStretch(1);
    panes->addWidget(m_left, 1);
    panes->addLayout(middle);
    panes->addWidget(m_right, 1);
    layout->addLayout(panes, 1);
    layout->addWidget(buildRestoreBox(this, m_context));
    connect(toRight, &QAbstractButton::clicked, this, [this] { transfer(*m_left, *m_right); });
    connect(toLeft, &QAbstractButton::clicked, this, [this] { transfer(*m_right, *m_left); });
    for (ExplorerPane* pane : {m_left, m_right}) {
        connect(pane, &ExplorerPane::rowVisited, this, [this](int row) { m_lastRow = row; });
    }
    connect(&context.events, &StoreEvents::changed, this, &Channel_Explorer::storeChanged);

    // Both panes open on the first group (by type, then position).
    const QStringList names = groupNames();
    for (ExplorerPane* pane : {m_left, m_right}) {
        pane->fillGroups(names);
        names.isEmpty() ? pane->reread() : pane->showGroupAt(0);
    }
    resize(1400, 800);
}

// The combos list the groups as the group grid does: by type, then position.
QStringList Channel_Explorer::groupNames() const
{
    QStringList names;
    store::Statement st =
        m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY type, broj, rowid");
    while (st.step()) {
        names << QString::fromStdString(st.columnText(0));
    }
    return names;
}

void Channel_Explorer::transfer(ExplorerPane& from, ExplorerPane& to)
{
    const std::optional<std::string> target = to.group();
    if (from.rows() == 0 || !target) {
        return;
    }
    const std::optional<std::string> shown = from.group();
    if (shown && store::compareText(*shown, *target) == 0) {
        m_context.message(settings::Texts::SameGroupInBothLists);
        return;
    }
    const int row = std::max(0, from.currentRow());
    const std::string source = from.model().grupa(row);
    const ChannelSelection which = from.commands().ticksShown()
                                       ? ChannelSelection::allTicked()
                                       : ChannelSelection::one(from.model().rowId(row));
    // The source group goes when it is left empty and the row last visited was a first row.
    const std::optional<std::string> removable =
        m_lastRow == 0 ? std::optional<std::string>(source) : std::nullopt;
    MovedChannels moved;
    try {
        const std::string name =
            "Move " +
            (which.kind == ChannelSelection::Kind::One ? inQuotes(from.model().name(row))
                                                       : std::string("the ticked channels")) +
            " to " + inQuotes(*target);
        if (!runStoreWork(m_context, name, [&](store::Database& db) {
                moved = moveChannelsToGroup(db, which, *target, removable);
            })) {
            return;
        }
    } catch (const std::exception& error) {
        m_context.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    m_left->commands().resetModes();
    m_right->commands().resetModes();
    StoreChange change;
    change.parts = StoreChange::ChannelRows | StoreChange::GroupRows |
                   (moved.sourceRemoved ? unsigned(StoreChange::GroupNames) : 0u);
    change.groups = {source, *target};
    m_context.events.publish(change);
    // Postavi_Poziciju_Kanala: the source pane's row of the remembered number.
    from.selectRow(std::min(
        static_cast<int>(m_context.settings.readNumber(settings::Keys::PozicijaK).value_or(0)),
        from.rows() - 1));
}

void Channel_Explorer::storeChanged(const StoreChange& change)
{
    if (change.has(StoreChange::GroupNames) || change.has(StoreChange::Playlist)) {
        const QStringList names = groupNames();
        for (ExplorerPane* pane : {m_left, m_right}) {
            pane->fillGroups(names, change.renamedFrom, change.renamedTo);
        }
    }
    m_left->reread();
    m_right->reread();
}

void Channel_Explorer::closeEvent(QCloseEvent* event)
{
    // Ticks made for the explorer's commands do not outlive it.
    for (ExplorerPane* pane : {m_left, m_right}) {
        if (pane->commands().ticksShown()) {
            pane->commands().leaveModes();
        }
    }
    event->accept();
    emit closed();
}

} // namespace listrion::editing::ui
