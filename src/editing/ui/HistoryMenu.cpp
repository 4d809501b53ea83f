#include "editing/ui/HistoryMenu.h"

#include "controls/BackgroundRun.h"
#include "store/History.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <exception>

namespace listrion::editing::ui {

HistoryMenu::HistoryMenu(QMenu* menu, QWidget* window, StoreSource store, StoreEvents& events,
                         controls::Prompter& prompter)
    : QObject(window), m_window(window), m_store(std::move(store)), m_events(events),
      m_prompter(prompter)
{
    m_undo = menu->addAction("Undo");
    m_undo->setObjectName("mnuUndoStep");
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = menu->addAction("Redo");
    m_redo->setObjectName("mnuRedoStep");
    m_redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    for (QAction* entry : {m_undo, m_redo}) {
        entry->setShortcutContext(Qt::WindowShortcut);
        entry->setEnabled(false);
    }
    connect(m_undo, &QAction::triggered, this, &HistoryMenu::undo);
    connect(m_redo, &QAction::triggered, this, &HistoryMenu::redo);
    connect(&events, &StoreEvents::changed, this, &HistoryMenu::refresh);
}

void HistoryMenu::setCaptions(const QString& undo, const QString& redo)
{
    m_undoVerb = undo;
    m_redoVerb = redo;
    refresh();
}

void HistoryMenu::refresh()
{
    std::optional<store::History::Step> undo;
    std::optional<store::History::Step> redo;
    try {
        if (const store::Database* db = m_store()) {
            undo = store::History::nextUndo(*db);
            redo = store::History::nextRedo(*db);
        }
    } catch (const std::exception&) {
        // A store without its history tables has nothing to undo.
    }
    auto caption = [](const QString& verb, const std::optional<store::History::Step>& step) {
        return step ? QString("%1 \"%2\"").arg(verb, QString::fromStdString(step->name)) : verb;
    };
    m_undo->setText(caption(m_undoVerb, undo));
    m_undo->setEnabled(undo.has_value());
    m_redo->setText(caption(m_redoVerb, redo));
    m_redo->setEnabled(redo.has_value());
}

void HistoryMenu::undo()
{
    run(true);
}

void HistoryMenu::redo()
{
    run(false);
}

void HistoryMenu::run(bool undoing)
{
    const store::Database* db = m_store();
    if (db == nullptr) {
        return;
    }
    bool done = false;
    try {
        done = controls::runInBackground(
            m_window, db->file(), "Please wait. Playlist is loading...",
            [undoing](store::Database& worker) {
                undoing ? store::History::undo(worker) : store::History::redo(worker);
            });
    } catch (const std::exception& error) {
        m_prompter.message(QString::fromUtf8(error.what()));
    }
    StoreChange change;
    change.parts = StoreChange::Playlist;
    m_events.publish(change);
    if (!done) {
        refresh();
    }
}

} // namespace listrion::editing::ui
