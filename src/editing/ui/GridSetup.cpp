#include "editing/ui/GridSetup.h"

#include "editing/StoreGridModel.h"
#include "settings/TextCatalogue.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace listrion::editing::ui {
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

constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 pixels per inch
constexpr int kGroupTickTwips = 400;
constexpr int kChannelTickWidth = 38;

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

QFont gridFont(const settings::Settings& settings, settings::SettingsKey name,
               settings::SettingsKey size, const char* builtInName, int builtInSize)
{
    const std::string family = settings.read(name);
    const std::optional<long long> points = settings.readNumber(size);
    QFont font(family.empty() ? QString(builtInName) : QString::fromStdString(family));
    font.setPointSize(points && *points > 0 ? static_cast<int>(*points) : builtInSize);
    return font;
}

int columnWidth(const settings::Settings& settings, int key, int builtInTwips)
{
    const std::optional<long long> twips = settings.readNumber(settings::Keys::sirina(key));
    return static_cast<int>((twips && *twips > 0 ? *twips : builtInTwips) / kTwipsPerPixel);
}

void applyGroupGridColumns(QTableView* grid, const settings::Settings& settings, bool ticks)
{
    grid->setFont(gridFont(settings, settings::Keys::GroupFontName, settings::Keys::GroupFontSize,
                           "Arial", 10));
    grid->setColumnWidth(0, kGroupTickTwips / kTwipsPerPixel);
    grid->setColumnHidden(0, !ticks);
    grid->setColumnWidth(1, columnWidth(settings, 7, 2900));
    grid->setColumnWidth(2, columnWidth(settings, 8, 1100));
    grid->setColumnWidth(3, columnWidth(settings, 9, 1000));
}

void applyChannelGridColumns(QTableView* grid, StoreGridModel& model,
                             const settings::Settings& settings, const settings::TextSource& texts,
                             bool ticks)
{
    model.setHeaders({"sel.",
                      QString::fromStdString(texts.text(settings::Texts::ChannelNameColumn)),
                      QString::fromStdString(texts.text(settings::Texts::TvgNameColumn)), "EPG ID",
                      "Link", "Logo", "type"});
    grid->setFont(gridFont(settings, settings::Keys::ChannelFontName,
                           settings::Keys::ChannelFontSize, "Segoe UI", 9));
    grid->setColumnWidth(0, kChannelTickWidth);
    grid->setColumnHidden(0, !ticks);
    static constexpr int kBuiltIn[] = {3200, 3200, 3200, 7000, 7000, 3200};
    for (int column = 1; column <= 6; ++column) {
        grid->setColumnWidth(column, columnWidth(settings, column, kBuiltIn[column - 1]));
        // The column chooser's Prikaz entries 2..6 hide the columns after the name; an empty
        // entry shows the column.
        grid->setColumnHidden(column,
                              column >= 2 && settings.read(settings::Keys::prikaz(column)) == "0");
    }
}

} // namespace listrion::editing::ui
