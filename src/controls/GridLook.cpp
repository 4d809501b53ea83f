#include "controls/GridLook.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace listrion::controls {
namespace {

// The "sel." column: the window toggles the tick on any click in the cell, so the check box
// itself must not toggle it a second time.
class TickDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override
    {
        return false;
    }
};

// The keys of a grid that Qt's table does not give as the program wants them: Ctrl+Tab and
// Ctrl+Shift+Tab step through the cells (Tab itself leaves the grid), and Space ticks the
// current row as a click in its "sel." cell would.
class GridKeys : public QObject {
public:
    explicit GridKeys(QTableView* grid) : QObject(grid), m_grid(grid)
    {
        grid->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers().testFlag(Qt::ControlModifier);
        if (control && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool back =
                key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            step(back ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            const QModelIndex current = m_grid->currentIndex();
            if (current.isValid() && !m_grid->isColumnHidden(0)) {
                emit m_grid->clicked(current.siblingAtColumn(0));
            }
            return true;
        }
        return false;
    }

private:
    // Moves the current cell to the next (or previous) shown column, row after row.
    void step(int direction)
    {
        const QAbstractItemModel* model = m_grid->model();
        const int columns = model->columnCount();
        const int rows = model->rowCount();
        if (columns == 0 || rows == 0) {
            return;
        }
        const QModelIndex current = m_grid->currentIndex();
        int cell = current.isValid() ? current.row() * columns + current.column() : -direction;
        for (int tries = 0; tries < rows * columns; ++tries) {
            cell += direction;
            if (cell < 0 || cell >= rows * columns) {
                return;
            }
            if (!m_grid->isColumnHidden(cell % columns)) {
                m_grid->setCurrentIndex(model->index(cell / columns, cell % columns));
                return;
            }
        }
    }

    QTableView* m_grid;
};

} // namespace

void prepareGrid(QTableView* grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->setWordWrap(false);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setItemDelegateForColumn(0, new TickDelegate(grid));
    grid->setTabKeyNavigation(false);
    new GridKeys(grid);
}

} // namespace listrion::controls
