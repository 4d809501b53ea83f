#include "editing/ui/GroupGridPart.h"

#include "editing/ExportDialog.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/Add_Group.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/Edit_Group.h"
#include "settings/TextCatalogue.h"
#include "store/BlockMoves.h"
#include "store/History.h"
#include "store/PositionSwaps.h"
#include "store/Ticks.h"

#include <QAction>
#include <QTableView>

#include <exception>

namespace listrion::editing::ui {
namespace {

store::TickTarget everyRow()
{
    store::TickTarget all;
    all.all = true;
    return all;
}

} // namespace

GroupGridPart::GroupGridPart(QTableView* grid, ContextSource context, GroupGaps gaps,
                             QObject* parent)
    : QObject(parent), m_grid(grid), m_context(std::move(context)), m_gaps(gaps)
{
}

GroupGridModel* GroupGridPart::model() const
{
    return qobject_cast<GroupGridModel*>(m_grid->model());
}

int GroupGridPart::rows() const
{
    return model() != nullptr ? model()->rowCount() : 0;
}

void GroupGridPart::setCaptions()
{
    const EditingContext c = m_context();
    for (QAction* entry : m_modeEntries) {
        entry->setText(c.text(m_deleteMode ? settings::Texts::LeaveMultiSelection
                                           : settings::Texts::SelectGroupsToDelete));
    }
    for (QAction* entry : m_selectAllEntries) {
        entry->setText(
            c.text(m_allTicked ? settings::Texts::DeselectAll : settings::Texts::SelectAll));
    }
}

int GroupGridPart::currentRow() const
{
    return m_grid->currentIndex().row();
}

std::string GroupGridPart::currentGroup() const
{
    const int row = currentRow();
    return row >= 0 && row < rows() ? model()->grupa(row) : std::string();
}

void GroupGridPart::selectRow(int row)
{
    if (row < 0 || row >= rows()) {
        return;
    }
    const QModelIndex index = model()->index(row, GroupGridModel::kNameColumn);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

bool GroupGridPart::run(const std::string& name,
                        const std::function<void(store::Database&)>& command)
{
    return runCommand(m_context(), name, command);
}

void GroupGridPart::publish(unsigned parts)
{
    publishChange(m_context(), parts);
}

void GroupGridPart::moveUp()
{
    const int row = currentRow();
    if (row < 1) {
        return;
    }
    const std::int64_t broj = model()->broj(row);
    if (run("Move group " + inQuotes(currentGroup()) + " up",
            [broj](store::Database& db) { store::Pozicija_Nova_Gore_Grupa(db, broj); })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames);
        selectRow(row - 1);
    }
}

void GroupGridPart::moveDown()
{
    const int row = currentRow();
    if (row < 0 || row == rows() - 1) {
        return;
    }
    const std::int64_t broj = model()->broj(row);
    if (run("Move group " + inQuotes(currentGroup()) + " down",
            [broj](store::Database& db) { store::Pozicija_Nova_Dole_Grupa(db, broj); })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames);
        selectRow(row + 1);
    }
}

void GroupGridPart::moveToTop()
{
    if (currentRow() < 1) {
        return;
    }
    const std::string group = currentGroup();
    if (run("Move group " + inQuotes(group) + " to the top",
            [&group](store::Database& db) { moveGroupTo(db, group, GroupEnd::Top); })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames);
    }
}

void GroupGridPart::moveToBottom()
{
    const int row = currentRow();
    if (row < 0 || row == rows() - 1) {
        return;
    }
    const std::string group = currentGroup();
    if (run("Move group " + inQuotes(group) + " to the bottom",
            [&group](store::Database& db) { moveGroupTo(db, group, GroupEnd::Bottom); })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames);
    }
}

void GroupGridPart::enterTicking()
{
    for (QAction* entry : m_singleEntries) {
        entry->setEnabled(false);
    }
    emit ticksChanged();
}

void GroupGridPart::moveTicked(bool toTop)
{
    if (rows() == 0) {
        return;
    }
    m_ticking = true;
    enterTicking();
    // The first use with nothing ticked only shows the ticks.
    if (!anyGroupTicked(m_context().db)) {
        return;
    }
    if (run(std::string("Move the ticked groups to the ") + (toTop ? "top" : "bottom"),
            [toTop](store::Database& db) {
                toTop ? store::Premakni_Sve_Na_Vrh_Grupa(db) : store::Premakni_Sve_Na_Dno_Grupa(db);
            })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames);
    }
}

void GroupGridPart::switchDeleteMode()
{
    setTicking(!m_deleteMode);
}

void GroupGridPart::setTicking(bool on)
{
    if (!on) {
        leaveModes();
        return;
    }
    m_deleteMode = true;
    m_allTicked = false;
    for (QWidget* button : m_buttons) {
        button->setEnabled(false);
    }
    for (QAction* entry : m_selectAllEntries) {
        entry->setVisible(true);
    }
    setCaptions();
    enterTicking();
}

void GroupGridPart::selectAll()
{
    const bool tick = !m_allTicked;
    if (run("Tick the groups",
            [tick](store::Database& db) { store::setGroupTicks(db, everyRow(), tick); })) {
        m_allTicked = tick;
        setCaptions();
        publish(StoreChange::GroupRows);
    }
}

void GroupGridPart::resetModes()
{
    m_deleteMode = false;
    m_ticking = false;
    m_allTicked = true; // the hidden select-all entries keep Main/71
    for (QWidget* button : m_buttons) {
        button->setEnabled(true);
    }
    for (QAction* entry : m_selectAllEntries) {
        entry->setVisible(false);
    }
    for (QAction* entry : m_singleEntries) {
        entry->setEnabled(true);
    }
    setCaptions();
    m_allTicked = false;
    emit ticksChanged();
}

void GroupGridPart::leaveModes()
{
    run("Untick the groups",
        [](store::Database& db) { store::setGroupTicks(db, everyRow(), false); });
    resetModes();
    emit modesLeft();
    publish(StoreChange::GroupRows);
}

void GroupGridPart::deleteGroups()
{
    if (rows() == 0) {
        return;
    }
    const int row = currentRow();
    if (row < 0) {
        m_context().message(settings::Texts::ChooseGroupFirst);
        return;
    }
    const std::string group = currentGroup();
    const bool ticked = m_deleteMode;
    const GroupGaps gaps = m_gaps;
    run(ticked ? std::string("Delete the ticked groups") : "Delete group " + inQuotes(group),
        [&](store::Database& db) {
            ticked ? deleteTickedGroups(db, gaps) : deleteGroup(db, group, gaps);
        });
    resetModes();
    publish(StoreChange::GroupRows | StoreChange::GroupNames | StoreChange::ChannelRows);
    selectRow(std::min(row, rows() - 1));
}

void GroupGridPart::deleteKey()
{
    if (rows() == 0) {
        return;
    }
    const int row = currentRow();
    if (row < 0) {
        m_context().message(settings::Texts::ChooseGroupFirst);
        return;
    }
    const std::string group = currentGroup();
    if (run("Delete group " + inQuotes(group),
            [&group](store::Database& db) { deleteGroup(db, group, GroupGaps::ByPosition); })) {
        publish(StoreChange::GroupRows | StoreChange::GroupNames | StoreChange::ChannelRows);
        selectRow(std::min(row, rows() - 1));
    }
}

void GroupGridPart::goTo(int which)
{
    const int count = rows();
    const int row = currentRow();
    if (count == 0) {
        return;
    }
    const int target = which == 0 ? 0 : which == 1 ? row - 1 : which == 2 ? row + 1 : count - 1;
    if (target < 0 || target >= count || target == row) {
        return;
    }
    selectRow(target);
}

void GroupGridPart::addGroup()
{
    const EditingContext c = m_context();
    Add_Group dialog(c, m_grid->window());
    dialog.exec();
}

void GroupGridPart::editGroup()
{
    if (rows() == 0 || currentRow() < 0) {
        return;
    }
    const EditingContext c = m_context();
    Edit_Group dialog(c, QString::fromStdString(currentGroup()), m_grid->window());
    dialog.exec();
}

} // namespace listrion::editing::ui
