#pragma once

#include "editing/ui/EditingContext.h"
#include "editing/ui/ExplorerPane.h"

#include <QWidget>

namespace listrion::editing::ui {

// The channel explorer: two groups side by side, each in a pane that is a whole channel editor
// for its group, and the two transfer buttons that carry the current channel (or, in a ticking
// mode, every ticked channel) from one pane's group into the other's. The group lists follow
// groups added, renamed or removed while the window is open.
class Channel_Explorer : public QWidget {
    Q_OBJECT

public:
    // `play` previews a channel; without it the play buttons stay hidden.
    Channel_Explorer(const EditingContext& context, ExplorerPane::Play play = {},
                     QWidget* parent = nullptr);

    ExplorerPane& left() const { return *m_left; }
    ExplorerPane& right() const { return *m_right; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QStringList groupNames() const;
    // cmdPremakni_Desno (left to right) and cmdPremakni_Levo (right to left).
    void transfer(ExplorerPane& from, ExplorerPane& to);
    void storeChanged(const StoreChange& change);

    EditingContext m_context;
    ExplorerPane* m_left = nullptr;
    ExplorerPane* m_right = nullptr;
    int m_lastRow = 0; // the row last visited in either pane
};

} // namespace listrion::editing::ui
