#pragma once

#include "editing/ui/EditingContext.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QMenu;
class QTableView;

namespace listrion::editing {
class ChannelGridModel;
}

namespace listrion::editing::ui {

class ChannelGridPart;

// One pane of the channel explorer: the channels of the group chosen in its combo box, with
// group and row navigation and the channel editor's commands on them (the shared channel-grid
// part). The right pane's controls carry the left pane's names followed by "2".
class ExplorerPane : public QWidget {
    Q_OBJECT

public:
    enum class Side { Left, Right };
    using Play = std::function<void(std::int64_t rowId)>;

    // `play` previews a channel; without it the play button stays hidden.
    ExplorerPane(const EditingContext& context, Side side, Play play, QWidget* parent = nullptr);
    ~ExplorerPane() override;

    ChannelGridPart& commands() const { return *m_part; }
    const ChannelGridModel& model() const { return *m_model; }
    int rows() const;
    int currentRow() const;
    // The group the combo shows; nothing while there are no groups.
    std::optional<std::string> group() const;

    // Fills the combo with the group names. The pane keeps its group (or the one it was
    // renamed to) when it is still listed, else it shows the first group.
    void fillGroups(const QStringList& names, const std::string& renamedFrom = {},
                    const std::string& renamedTo = {});
    void showGroupAt(int index);
    // Reads the pane's channels again, keeping the current channel (else the same row).
    void reread();
    void selectRow(int row);

signals:
    // The pane's grid made this row current (PozicijaK, the last visited row of either pane).
    void rowVisited(int row);

private:
    QString name(const char* control) const;
    void buildTop();
    void buildCommands();
    void buildMenu();
    void showCaption();

    EditingContext m_context;
    Side m_side;
    Play m_play;
    ChannelGridModel* m_model = nullptr;
    ChannelGridPart* m_part = nullptr;
    QComboBox* ComboGroup = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_caption = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace listrion::editing::ui
