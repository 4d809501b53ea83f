#include "editing/ui/ChannelGridPart.h"

#include "editing/ChannelCommands.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/CommandRun.h"
#include "settings/TextCatalogue.h"
#include "store/BlockMoves.h"
#include "store/History.h"
#include "store/PositionSwaps.h"
#include "store/SelectedSteps.h"
#include "store/Ticks.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>
#include <QWidget>

#include <exception>

namespace listrion::editing::ui {
namespace {

void enable(QObject* control, bool on)
{
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setEnabled(on);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setEnabled(on);
    }
}

} // namespace

std::string ChannelGridPart::channelName(int row) const
{
    return row >= 0 && row < rows() ? model()->name(row) : std::string();
}

ChannelGridPart::ChannelGridPart(QTableView* grid, ContextSource context, Form form,
                                 QObject* parent)
    : QObject(parent), m_grid(grid), m_context(std::move(context)), m_form(form)
{
}

void ChannelGridPart::addSelectAllEntry(QAction* entry, bool deleteMode)
{
    (deleteMode ? m_selectAllDeleteEntries : m_selectAllEntries) << entry;
    entry->setVisible(false);
}

void ChannelGridPart::addChannelControl(QObject* control, bool deletes)
{
    (deletes ? m_deleteControls : m_controls) << control;
}

void ChannelGridPart::setCaptions()
{
    const EditingContext c = m_context();
    for (QAction* entry : m_deleteModeEntries) {
        entry->setText(c.text(m_deleteMode ? settings::Texts::LeaveMultiSelection
                                           : settings::Texts::SelectChannelsToDelete));
    }
    for (QAction* entry : m_moveModeEntries) {
        entry->setText(
            c.text(m_moveMode ? settings::Texts::MoveToGroupOn : settings::Texts::MoveToGroupOff));
    }
    for (QAction* entry : m_selectAllEntries + m_selectAllDeleteEntries) {
        entry->setText(
            c.text(m_allTicked ? settings::Texts::DeselectAll : settings::Texts::SelectAll));
    }
}

ChannelGridModel* ChannelGridPart::model() const
{
    return qobject_cast<ChannelGridModel*>(m_grid->model());
}

int ChannelGridPart::rows() const
{
    return model() != nullptr ? model()->rowCount() : 0;
}

int ChannelGridPart::currentRow() const
{
    const int row = m_grid->currentIndex().row();
    return row < rows() ? row : -1;
}

std::int64_t ChannelGridPart::currentRowId() const
{
    const int row = currentRow();
    return row >= 0 ? model()->rowId(row) : 0;
}

std::optional<std::string> ChannelGridPart::group() const
{
    return model() != nullptr ? model()->group() : std::nullopt;
}

void ChannelGridPart::selectRow(int row)
{
    if (row < 0 || row >= rows()) {
        return;
    }
    const QModelIndex index = model()->index(row, ChannelGridModel::kNameColumn);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

bool ChannelGridPart::run(const std::string& name,
                          const std::function<void(store::Database&)>& command)
{
    return runCommand(m_context(), name, command);
}

void ChannelGridPart::publish(unsigned parts, std::vector<std::string> groups)
{
    publishChange(m_context(), parts, std::move(groups));
}

std::int64_t ChannelGridPart::tickedIn(const std::string& grupa) const
{
    return m_context().db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ? AND izberi <> 0",
                                    0, grupa);
}

void ChannelGridPart::rememberRow(const settings::SettingsKey& key, std::int64_t row)
{
    m_context().settings.write(key, static_cast<long long>(row));
}

void ChannelGridPart::moveUp(bool button)
{
    const std::optional<std::string> g = group();
    if (button && g && tickedIn(*g) > 0) {
        stepTicked(true, false);
        return;
    }
    const int row = currentRow();
    if (row < 1) {
        return;
    }
    const std::int64_t broj = model()->broj(row);
    if (run("Move channel " + inQuotes(channelName(row)) + " up",
            [broj](store::Database& db) { store::Pozicija_Nova_Gore(db, broj); })) {
        publish(StoreChange::ChannelRows, {model()->grupa(row)});
        selectRow(row - 1);
    }
}

void ChannelGridPart::moveDown(bool button)
{
    const std::optional<std::string> g = group();
    if (button && g && tickedIn(*g) > 0) {
        stepTicked(false, false);
        return;
    }
    const int row = currentRow();
    if (row < 0 || row == rows() - 1) {
        return;
    }
    const std::int64_t broj = model()->broj(row);
    if (run("Move channel " + inQuotes(channelName(row)) + " down",
            [broj](store::Database& db) { store::Pozicija_Nova_Dole(db, broj); })) {
        publish(StoreChange::ChannelRows, {model()->grupa(row)});
        selectRow(row + 1);
    }
}

void ChannelGridPart::moveToTop()
{
    const int row = currentRow();
    if (row < 1) {
        return;
    }
    const std::int64_t rowid = currentRowId();
    if (run("Move channel " + inQuotes(channelName(row)) + " to the top",
            [rowid](store::Database& db) { moveChannelTo(db, rowid, ChannelEnd::Top); })) {
        publish(StoreChange::ChannelRows, {model()->grupa(row)});
        selectRow(model()->rowOfId(rowid));
    }
}

void ChannelGridPart::moveToBottom()
{
    const int row = currentRow();
    if (row < 0 || row == rows() - 1) {
        return;
    }
    const std::int64_t rowid = currentRowId();
    if (run("Move channel " + inQuotes(channelName(row)) + " to the bottom",
            [rowid](store::Database& db) { moveChannelTo(db, rowid, ChannelEnd::Bottom); })) {
        publish(StoreChange::ChannelRows, {model()->grupa(row)});
        selectRow(rows() - 1);
    }
}

void ChannelGridPart::deleteChannels(bool menuEntry)
{
    const int row = currentRow();
    if (rows() == 0 || row < 0) {
        return;
    }
    const bool ticked = m_deleteMode;
    const std::string g = model()->grupa(row);
    const std::int64_t rowid = currentRowId();
    const EmptiedGroup emptied =
        menuEntry && m_form == Form::MainWindow ? EmptiedGroup::Remove : EmptiedGroup::Keep;
    DeletedChannels deleted;
    run(ticked ? "Delete the ticked channels of " + inQuotes(g)
               : "Delete channel " + inQuotes(channelName(row)),
        [&](store::Database& db) {
            deleted = editing::deleteChannels(
                db, ticked ? ChannelSelection::tickedIn(g) : ChannelSelection::one(rowid), emptied);
        });
    if (ticked) {
        resetModes();
    }
    publish(StoreChange::ChannelRows | StoreChange::GroupRows |
                (deleted.groupRemoved ? unsigned(StoreChange::GroupNames) : 0u),
            {g});
    selectRow(std::min(row, rows() - 1));
}

void ChannelGridPart::deleteKey()
{
    if (m_form == Form::Editor) {
        deleteChannels(false);
        return;
    }
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    const std::string g = model()->grupa(row);
    const std::int64_t rowid = currentRowId();
    if (run("Delete channel " + inQuotes(channelName(row)),
            [rowid](store::Database& db) { deleteChannelRenumberingAll(db, rowid); })) {
        publish(StoreChange::ChannelRows | StoreChange::GroupRows, {g});
        selectRow(std::min(row, rows() - 1));
    }
}

void ChannelGridPart::enterTicking()
{
    for (QObject* control : m_controls) {
        enable(control, false);
    }
    for (QObject* control : m_deleteControls) {
        enable(control, m_deleteMode);
    }
    emit ticksChanged();
}

void ChannelGridPart::switchDeleteMode()
{
    if (m_deleteMode) {
        leaveModes();
        return;
    }
    resetModes();
    m_deleteMode = true;
    for (QAction* entry : m_selectAllDeleteEntries) {
        entry->setVisible(true);
    }
    setCaptions();
    enterTicking();
}

void ChannelGridPart::switchMoveMode()
{
    if (m_moveMode) {
        leaveModes();
        return;
    }
    resetModes();
    m_moveMode = true;
    for (QAction* entry : m_selectAllEntries) {
        entry->setVisible(true);
    }
    setCaptions();
    enterTicking();
}

void ChannelGridPart::enterCopyTicking()
{
    m_ticking = true;
    for (QAction* entry : m_selectAllEntries) {
        entry->setVisible(true);
    }
    setCaptions();
    enterTicking();
}

void ChannelGridPart::selectAll()
{
    const std::optional<std::string> g = group();
    const bool tick = !m_allTicked;
    store::TickTarget target;
    target.grupa = g;
    target.all = true;
    if (run("Tick the channels",
            [&](store::Database& db) { store::setChannelTicks(db, target, tick); })) {
        m_allTicked = tick;
        setCaptions();
        publish(StoreChange::ChannelRows,
                g ? std::vector<std::string>{*g} : std::vector<std::string>{});
    }
}

void ChannelGridPart::resetModes()
{
    m_deleteMode = false;
    m_moveMode = false;
    m_ticking = false;
    m_allTicked = false;
    for (QAction* entry : m_selectAllEntries + m_selectAllDeleteEntries) {
        entry->setVisible(false);
    }
    for (QObject* control : m_controls + m_deleteControls) {
        enable(control, true);
    }
    setCaptions();
    emit ticksChanged();
}

void ChannelGridPart::leaveModes()
{
    run("Untick the channels", [](store::Database& db) {
        store::TickTarget all;
        all.all = true;
        store::setChannelTicks(db, all, false);
    });
    resetModes();
    publish(StoreChange::ChannelRows);
}

void ChannelGridPart::stepTicked(bool up, bool rowAbove)
{
    const std::optional<std::string> g = group();
    const int before = currentRow();
    if (!g || rows() == 0) {
        return;
    }
    m_ticking = m_ticking || (!m_deleteMode && !m_moveMode);
    emit ticksChanged();
    store::SelectedStep step;
    const bool any = tickedIn(*g) > 0;
    if (any && run(std::string("Move the ticked channels ") + (up ? "up" : "down"),
                   [&](store::Database& db) {
                       step = up ? store::Pozicija_Nova_Gore_Sve(db, *g)
                                 : store::Pozicija_Nova_Dole_Sve(db, *g);
                   })) {
        if (step.rememberedRow) {
            rememberRow(up ? settings::Keys::PozicijaUP : settings::Keys::PozicijaDown,
                        *step.rememberedRow);
        }
        publish(StoreChange::ChannelRows, {*g});
        if (step.rememberedRow) {
            selectRow(static_cast<int>(*step.rememberedRow));
        }
    }
    if (rowAbove && currentRow() > 0 && before > 0) {
        selectRow(before - 1);
    }
}

void ChannelGridPart::blockTicked(bool toTop)
{
    const std::optional<std::string> g = group();
    if (!g || rows() == 0) {
        return;
    }
    m_ticking = m_ticking || (!m_deleteMode && !m_moveMode);
    emit ticksChanged();
    if (tickedIn(*g) == 0) {
        return;
    }
    if (run(std::string("Move the ticked channels to the ") + (toTop ? "top" : "bottom"),
            [&](store::Database& db) {
                toTop ? store::Premakni_Sve_Na_Vrh(db, *g) : store::Premakni_Sve_Na_Dno(db, *g);
            })) {
        publish(StoreChange::ChannelRows, {*g});
    }
}

void ChannelGridPart::goTo(int which)
{
    const int count = rows();
    const int row = currentRow();
    if (count == 0) {
        return;
    }
    const int target = which == 0 ? 0 : which == 1 ? row - 1 : which == 2 ? row + 1 : count - 1;
    if (target >= 0 && target < count && target != row) {
        selectRow(target);
    }
}

} // namespace listrion::editing::ui
