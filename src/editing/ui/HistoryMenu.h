#pragma once

#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "store/Database.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace listrion::editing::ui {

// Edit → Undo "…" (Ctrl+Z) and Redo "…" (Ctrl+Shift+Z, Ctrl+Y) of a window: the captions name
// the step they undo or redo and follow every change notice; each runs as one transaction off
// the window thread, then every open window re-reads what it shows.
class HistoryMenu : public QObject {
    Q_OBJECT

public:
    // The window's connection to data.mdb (nothing while it has none).
    using StoreSource = std::function<store::Database*()>;

    // Adds the two entries (mnuUndoStep, mnuRedoStep) to `menu`.
    HistoryMenu(QMenu* menu, QWidget* window, StoreSource store, StoreEvents& events,
                controls::Prompter& prompter);

    // The words before the step's name, in the window's language; refreshes the captions.
    void setCaptions(const QString& undo, const QString& redo);
    // Reads the captions again from the store.
    void refresh();
    void undo();
    void redo();

private:
    void run(bool undoing);

    QWidget* m_window;
    StoreSource m_store;
    StoreEvents& m_events;
    controls::Prompter& m_prompter;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QString m_undoVerb = QStringLiteral("Undo");
    QString m_redoVerb = QStringLiteral("Redo");
};

} // namespace listrion::editing::ui
