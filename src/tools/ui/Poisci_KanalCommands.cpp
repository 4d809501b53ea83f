// The search window's commands: moves and copies to other groups, the multi-select mode and
// its select all, ticking a row, play, undo.
#include "tools/ui/Poisci_Kanal.h"

#include "controls/BackgroundRun.h"

#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/ChannelCommands.h"
#include "editing/PlaylistCommands.h"
#include "editing/StoreEvents.h"
#include "settings/Settings.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "store/Ticks.h"
#include "store/UndoSnapshot.h"
#include "tools/ChannelSearch.h"
#include "tools/SearchGridModel.h"
#include "tools/ui/WindowUndo.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include <exception>

namespace listrion::tools::ui {

using editing::ChannelSelection;
using editing::StoreChange;

bool Poisci_Kanal::run(const std::string& step,
                       const std::function<void(store::Database&)>& command)
{
    try {
        // Copies and moves renumber every channel after them: on a large playlist that takes
        // seconds, which run off the window thread with Cancel.
        return controls::runInBackground(this, m_db.file(), "Please wait. Playlist is loading...",
                                         step, [&](store::Database& worker) { command(worker); });
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
}

// "Move 'name' to 'group'" or "Copy the ticked channels to 'group'": the history step's name.
std::string Poisci_Kanal::stepName(const char* verb, const ChannelSelection& which, int row,
                                   const QString& target) const
{
    const std::string what = which.kind == ChannelSelection::Kind::One
                                 ? "'" + m_model->name(row) + "'"
                                 : std::string("the ticked channels");
    return verb + what + " to '" + target.toStdString() + "'";
}

// Kreiraj_Meni: one entry per group in position order, made afresh each time the submenu opens.
void Poisci_Kanal::Kreiraj_Meni(QMenu* sub, bool copy)
{
    sub->clear();
    store::Statement groups = m_db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    while (groups.step()) {
        const QString name = QString::fromStdString(groups.columnText(0));
        QAction* entry = sub->addAction(name);
        connect(entry, &QAction::triggered, this,
                [this, name, copy] { copy ? copyToGroup(name) : moveToGroup(name); });
    }
}

// The current channel, or in multi-select mode every ticked channel of the playlist, goes to
// the target. A move that began on the list's first row removes the group it empties.
void Poisci_Kanal::moveToGroup(const QString& target)
{
    if (rows() == 0) {
        return;
    }
    const int row = std::max(0, currentRow());
    const std::string source = m_model->grupa(row);
    const ChannelSelection which =
        m_ticksShown ? ChannelSelection::allTicked() : ChannelSelection::one(m_model->rowId(row));
    const std::optional<std::string> removable =
        row == 0 ? std::optional<std::string>(source) : std::nullopt;
    editing::MovedChannels moved;
    if (!run(stepName("Move ", which, row, target), [&](store::Database& db) {
            moved = editing::moveChannelsToGroup(db, which, target.toStdString(), removable);
        })) {
        return;
    }
    publish(StoreChange::ChannelRows | StoreChange::GroupRows |
            (moved.sourceRemoved ? unsigned(StoreChange::GroupNames) : 0u));
    // Postavi_Poziciju_Kanala: the row of the remembered number once the list is read again.
    m_rowAfterAnswer =
        static_cast<int>(m_settings.readNumber(settings::Keys::PozicijaK).value_or(0));
    m_services.prompter.message(text(settings::Texts::ChangesMade));
}

// The current channel, or in multi-select mode the ticked channels of the current row's group,
// are copied to the target; the multi-select mode ends.
void Poisci_Kanal::copyToGroup(const QString& target)
{
    if (rows() == 0) {
        return;
    }
    const int row = std::max(0, currentRow());
    const ChannelSelection which = m_ticksShown ? ChannelSelection::tickedIn(m_model->grupa(row))
                                                : ChannelSelection::one(m_model->rowId(row));
    if (!run(stepName("Copy ", which, row, target), [&](store::Database& db) {
            editing::copyChannelsToGroup(db, which, target.toStdString());
        })) {
        return;
    }
    showTicks(false);
    publish(StoreChange::ChannelRows | StoreChange::GroupRows);
    m_services.prompter.message(text(settings::Texts::CopyDone));
}

void Poisci_Kanal::showTicks(bool shown)
{
    m_ticksShown = shown;
    TDBGrid1->setColumnHidden(0, !shown);
    cmdPlay_->setVisible(!shown && static_cast<bool>(m_services.play));
    c2->setVisible(!shown);
    mnuSelect_all->setVisible(shown);
    mnuDisable_multiselect_mode->setVisible(shown);
    mnuSelect_all->setText(text(settings::Texts::SelectAll));
}

// Entering does not clear ticks made before.
void Poisci_Kanal::enterMultiselect()
{
    if (rows() > 0) {
        showTicks(true);
    }
}

// Leaving clears every tick of the playlist, also ticks made in other windows.
void Poisci_Kanal::leaveMultiselect()
{
    showTicks(false);
    if (run("Untick the channels", [](store::Database& db) {
            store::TickTarget all;
            all.all = true;
            store::setChannelTicks(db, all, false);
        })) {
        publish(StoreChange::ChannelRows, true);
    }
}

// Ticks every hit of the current list, shown or not, or unticks them: the caption tells which
// comes next.
void Poisci_Kanal::selectAll()
{
    const bool tick = mnuSelect_all->text() == text(settings::Texts::SelectAll);
    const std::string find = txtNajdi->text().toStdString();
    if (!run(tick ? "Tick the channels" : "Untick the channels", [&](store::Database& db) {
            if (m_byName) {
                store::TickTarget all;
                all.all = true;
                store::setChannelTicks(db, all, tick);
            } else {
                setSearchTicks(db, find, tick);
            }
        })) {
        return;
    }
    mnuSelect_all->setText(text(tick ? settings::Texts::DeselectAll : settings::Texts::SelectAll));
    publish(StoreChange::ChannelRows, true);
}

void Poisci_Kanal::clickedCell(int row, int column)
{
    if (column == SearchGridModel::kTickColumn && m_ticksShown && m_model->toggleTick(row)) {
        publish(StoreChange::ChannelRows, true);
    }
}

void Poisci_Kanal::cmdPlay()
{
    if (rows() > 0 && m_services.play) {
        m_services.play(m_model->rowId(std::max(0, currentRow())));
    }
}

void Poisci_Kanal::cmdChannel_undo2()
{
    if (!undoAllFromWindow(m_db, m_services.prompter, m_texts)) {
        return;
    }
    publish(StoreChange::Playlist);
    m_services.prompter.message(text(settings::Texts::UndoDone));
}

} // namespace listrion::tools::ui
