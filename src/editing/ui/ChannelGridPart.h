#pragma once

#include "editing/ui/EditingContext.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QTableView;

namespace listrion::editing {
class ChannelGridModel;
}

namespace listrion::editing::ui {

// The channel commands of a channel grid, shared by the main window and the channel editor:
// single and ticked moves, deletes, the ticking modes held in menu captions (delete, move to a
// group, copy to a group), select all, moves and copies to another group, the add and edit
// dialogs, navigation and the parental codes of the shown group. Each command changes the store
// through the channel commands, publishes one change notice, then makes the row the command
// calls for current.
class ChannelGridPart : public QObject {
    Q_OBJECT

public:
    using ContextSource = std::function<EditingContext()>;

    // The main window's delete entries remove a group they empty, its Delete key numbers every
    // channel afresh; the editor keeps an emptied group and its Delete key acts as the button.
    enum class Form { MainWindow, Editor };

    // The grid's model is a ChannelGridModel showing one group (or every channel).
    ChannelGridPart(QTableView* grid, ContextSource context, Form form, QObject* parent);

    // Entries whose captions hold the modes, and the buttons the modes switch off.
    void addDeleteModeEntry(QAction* entry) { m_deleteModeEntries << entry; }
    void addMoveModeEntry(QAction* entry) { m_moveModeEntries << entry; }
    // mnuSelect_all(2): the select-all entries of the move and copy modes; mnuSelect_all_delete
    // (2): those of the delete mode.
    void addSelectAllEntry(QAction* entry, bool deleteMode);
    // Buttons and entries that act on the current channel; `deletes` marks the delete button,
    // which stays usable in the delete mode.
    void addChannelControl(QObject* control, bool deletes = false);
    void setCaptions();

    // The editors' grid: rows remembered, the tick column shown with the ticking modes, a click
    // on a tick cell ticks, a double click elsewhere edits the channel.
    void wireEditorGrid();
    // Adds a pop-up menu entry named `control` that runs `command`.
    using EntryMaker = std::function<QAction*(const char* control, const char* caption,
                                              std::function<void()> command)>;
    // The move-to-group and copy-to-group submenus (mnuxxx, mnuCopy, named through `name`),
    // listing `groups()` each time they open.
    QList<QMenu*> addGroupSubmenus(QMenu* menu, const std::function<QString(const char*)>& name,
                                   std::function<QStringList()> groups);
    // The ticking modes, select all, the ticked moves and leaving the modes; `withCopy` adds the
    // copy-ticking entry.
    void addTickingEntries(const EntryMaker& add, bool withCopy);
    // Remembers the grid's current row in PozicijaK on every change (call after the grid got its
    // model).
    void watchRows();

    bool ticksShown() const { return m_deleteMode || m_moveMode || m_ticking; }
    int currentRow() const;
    // The group the grid shows; nothing while it shows every channel.
    std::optional<std::string> group() const;
    void selectRow(int row);

    void moveUp(bool button);
    void moveDown(bool button);
    void moveToTop();
    void moveToBottom();
    // `menuEntry`: the menu entries remove a group they empty, the button keeps it.
    void deleteChannels(bool menuEntry);
    void deleteKey();
    void switchDeleteMode();
    void switchMoveMode();
    void enterCopyTicking();
    void selectAll();
    void leaveModes();
    // Ends any ticking mode without touching the ticks: captions back, buttons enabled.
    void resetModes();
    // The ticked channels one place up or down; `rowAbove` makes the row above the one current
    // before the command current afterwards (all such entries but the pop-up's step down).
    void stepTicked(bool up, bool rowAbove);
    void blockTicked(bool toTop);
    // `wholeTable`: in the ticking state every ticked channel of the playlist moves (the pop-up
    // copy of the entry), else those of the shown group.
    void moveToGroup(const QString& target, bool wholeTable);
    void copyToGroup(const QString& target);
    void editChannel();
    // The add dialog, its group box preset with the shown group (or, `fromChannel`, with the
    // current channel's group).
    void addChannel(bool fromChannel);
    void goTo(int which); // 0 first, 1 previous, 2 next, 3 last
    // `fixedText`: a code that is not a number gets the fixed English message, else Main/93.
    void addParentCode(bool fixedText);
    void removeParentCode();

signals:
    // The tick column must show or hide.
    void ticksChanged();

private:
    ChannelGridModel* model() const;
    int rows() const;
    std::int64_t currentRowId() const;
    bool run(const std::string& name, const std::function<void(store::Database&)>& command);
    std::string channelName(int row) const;
    void publish(unsigned parts, std::vector<std::string> groups = {});
    void enterTicking();
    std::int64_t tickedIn(const std::string& grupa) const;
    void rememberRow(const settings::SettingsKey& key, std::int64_t row);
    void showParentCodeLabel(const std::string& grupa);

    QTableView* m_grid;
    ContextSource m_context;
    Form m_form;
    bool m_deleteMode = false;
    bool m_moveMode = false;
    bool m_ticking = false;
    bool m_allTicked = false;
    QList<QAction*> m_deleteModeEntries;
    QList<QAction*> m_moveModeEntries;
    QList<QAction*> m_selectAllEntries;       // move and copy modes
    QList<QAction*> m_selectAllDeleteEntries; // delete mode
    QList<QObject*> m_controls;
    QList<QObject*> m_deleteControls;
};

} // namespace listrion::editing::ui
