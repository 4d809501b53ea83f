#pragma once

#include "editing/GroupCommands.h"
#include "editing/ui/EditingContext.h"

#include <QList>
#include <QObject>

#include <functional>
#include <string>

class QAction;
class QTableView;

namespace listrion::editing {
class GroupGridModel;
}

namespace listrion::editing::ui {

// The group commands of a group grid, shared by the main window and the group editor: moves,
// deletes, the ticking modes held in menu captions, select all, navigation and the add and
// rename dialogs. Each command changes the store through the group commands, publishes one
// change notice, then makes the row the command calls for current.
class GroupGridPart : public QObject {
    Q_OBJECT

public:
    using ContextSource = std::function<EditingContext()>;

    // The grid's model is a GroupGridModel (set before the first command). `gaps` says how the
    // delete button and menu entries close the group positions.
    GroupGridPart(QTableView* grid, ContextSource context, GroupGaps gaps, QObject* parent);

    // The entries whose captions hold the modes, and what the modes switch on and off.
    void addDeleteModeEntry(QAction* entry) { m_modeEntries << entry; }
    void addSelectAllEntry(QAction* entry) { m_selectAllEntries << entry; }
    void addSingleGroupEntry(QAction* entry) { m_singleEntries << entry; }
    void addSingleGroupButton(QWidget* button) { m_buttons << button; }

    // Whether the tick column shows (a ticking mode is on).
    bool ticksShown() const { return m_deleteMode || m_ticking; }
    bool deleteMode() const { return m_deleteMode; }
    // The mode captions in the language in use.
    void setCaptions();

    int currentRow() const;
    std::string currentGroup() const;
    void selectRow(int row);

    void moveUp();
    void moveDown();
    void moveToTop();
    void moveToBottom();
    void moveTicked(bool toTop);
    // The delete button and menu entries: the ticked groups in the delete mode, else the current
    // one; the mode ends either way.
    void deleteGroups();
    // The Delete key: the current group whatever the mode, positions closed in position order.
    void deleteKey();
    void switchDeleteMode();
    // Switches ticking on as the delete mode does, or off (all ticks cleared).
    void setTicking(bool on);
    void selectAll();
    void leaveModes();
    void goTo(int which); // 0 first, 1 previous, 2 next, 3 last
    void addGroup();
    void editGroup();

signals:
    // The tick column must show or hide.
    void ticksChanged();
    // leaveModes() has run.
    void modesLeft();

private:
    void resetModes();
    void enterTicking();
    void publish(unsigned parts);
    // Runs a store command; false after telling the user why it failed.
    bool run(const std::string& name, const std::function<void(store::Database&)>& command);

    // The grid's model; no command runs before it is set.
    GroupGridModel* model() const;
    int rows() const;

    QTableView* m_grid;
    ContextSource m_context;
    GroupGaps m_gaps;
    bool m_deleteMode = false;
    bool m_ticking = false;
    bool m_allTicked = false;
    QList<QAction*> m_modeEntries;
    QList<QAction*> m_selectAllEntries;
    QList<QAction*> m_singleEntries;
    QList<QWidget*> m_buttons;
};

} // namespace listrion::editing::ui
