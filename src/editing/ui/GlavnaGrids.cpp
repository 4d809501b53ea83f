#include "editing/ui/Glavna.h"

#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "settings/TextCatalogue.h"
#include "text/CountText.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTableView>

namespace listrion::editing {
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

constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 pixels per inch
constexpr int kTickWidth = 38;
constexpr int kGroupTickTwips = 400;

int widthSetting(const settings::Settings& settings, int key, int builtIn)
{
    const std::optional<long long> twips = settings.readNumber(settings::Keys::sirina(key));
    return static_cast<int>((twips && *twips > 0 ? *twips : builtIn) / kTwipsPerPixel);
}

QFont fontSetting(const settings::Settings& settings, settings::SettingsKey name,
                  settings::SettingsKey size, const char* builtInName, int builtInSize)
{
    const std::string family = settings.read(name);
    const std::optional<long long> points = settings.readNumber(size);
    QFont font(family.empty() ? QString(builtInName) : QString::fromStdString(family));
    font.setPointSize(points && *points > 0 ? static_cast<int>(*points) : builtInSize);
    return font;
}

QString count(std::int64_t n)
{
    return QString::fromStdString(text::formatCount(n));
}

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
}

} // namespace

void Glavna::setupGrids()
{
    m_groupGrid->setModel(m_groups);
    m_channelGrid->setModel(m_channels);
    prepareGrid(m_groupGrid);
    prepareGrid(m_channelGrid);
    connect(m_groupGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { groupRowChanged(current.row()); });
    connect(m_groupGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == GroupGridModel::kTickColumn) {
            m_groups->toggleTick(index.row());
        }
    });
    connect(m_channelGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == ChannelGridModel::kTickColumn) {
            m_channels->toggleTick(index.row());
        }
    });
    m_channelGrid->horizontalHeader()->setSectionsClickable(true);
    connect(m_channelGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Glavna::headingClicked);
    applyGroupColumns();
    applyChannelColumns();
}

void Glavna::applyGroupColumns()
{
    m_groups->setHeaders({"sel.", "Group name", "Type", "Streams"});
    m_groupGrid->setFont(fontSetting(m_settings, settings::Keys::GroupFontName,
                                     settings::Keys::GroupFontSize, "Arial", 10));
    QFont caption("Verdana");
    caption.setBold(true);
    m_groupCaption->setFont(caption);
    // The tick column shows only while groups are being chosen for export.
    m_groupGrid->setColumnWidth(GroupGridModel::kTickColumn, kGroupTickTwips / kTwipsPerPixel);
    m_groupGrid->setColumnHidden(GroupGridModel::kTickColumn, !m_selectingGroups);
    m_groupGrid->setColumnWidth(GroupGridModel::kNameColumn, widthSetting(m_settings, 7, 2900));
    m_groupGrid->setColumnWidth(GroupGridModel::kTypeColumn, widthSetting(m_settings, 8, 1100));
    m_groupGrid->setColumnWidth(GroupGridModel::kCountColumn, widthSetting(m_settings, 9, 1000));
}

void Glavna::applyChannelColumns()
{
    m_channels->setHeaders({"sel.", text(settings::Texts::ChannelNameColumn),
                            text(settings::Texts::TvgNameColumn), "EPG ID", "Link", "Logo",
                            "type"});
    m_channelGrid->setFont(fontSetting(m_settings, settings::Keys::ChannelFontName,
                                       settings::Keys::ChannelFontSize, "Segoe UI", 9));
    QFont caption = m_channelGrid->font();
    caption.setBold(true);
    m_channelCaption->setFont(caption);
    static constexpr int kBuiltIn[] = {3200, 3200, 3200, 7000, 7000, 3200};
    m_channelGrid->setColumnWidth(ChannelGridModel::kTickColumn, kTickWidth);
    for (int column = 1; column <= 6; ++column) {
        m_channelGrid->setColumnWidth(column,
                                      widthSetting(m_settings, column, kBuiltIn[column - 1]));
        // The column chooser's Prikaz entries 2..6 hide the columns after the name; an empty
        // entry shows the column.
        const bool hidden = column >= 2 && m_settings.read(settings::Keys::prikaz(column)) == "0";
        m_channelGrid->setColumnHidden(column, hidden);
    }
}

void Glavna::groupGridLayout()
{
    if (m_groups == nullptr) {
        return;
    }
    m_groupCaption->setText(text(settings::Texts::GroupsCaption) + "( " +
                            QString::number(m_groups->rowCount()) + " ) ");
    m_totalChannels->setText(text(settings::Texts::ChannelsCaption) + " : " +
                             count(m_groups->totalChannels()));
}

void Glavna::channelGridLayout()
{
    if (m_channels == nullptr) {
        return;
    }
    const settings::TextKey parental = m_channels->hasParentCode()
                                           ? settings::Texts::WithParentalCode
                                           : settings::Texts::WithoutParentalCode;
    m_channelCaption->setText(text(settings::Texts::ChannelsCaption) + "( " +
                              count(m_channels->rowCount()) + " ) " + text(parental));
}

void Glavna::groupRowChanged(int row)
{
    if (row < 0 || row >= m_groups->rowCount()) {
        return;
    }
    // One read of the chosen group's rows; switching the order first would read the rows of
    // the group shown before (every channel at start) for nothing.
    m_channels->showGroupByPosition(m_groups->grupa(row));
    channelGridLayout();
    m_settings.write(settings::Keys::PozicijaG, static_cast<long long>(row));
}

void Glavna::headingClicked(int column)
{
    if (m_channels->group()) {
        m_channels->sort(column);
        channelGridLayout();
    }
}

void Glavna::selectGroupRow(int row)
{
    if (m_groups->rowCount() == 0) {
        m_channels->showAll();
        channelGridLayout();
        return;
    }
    row = std::clamp(row, 0, m_groups->rowCount() - 1);
    const QModelIndex index = m_groups->index(row, GroupGridModel::kNameColumn);
    if (m_groupGrid->currentIndex().row() == row) {
        groupRowChanged(row); // the same row after a reload: re-read its channels
    }
    m_groupGrid->setCurrentIndex(index);
    m_groupGrid->scrollTo(index);
}

void Glavna::refreshGrids()
{
    const int row = std::max(0, m_groupGrid->currentIndex().row());
    m_groups->reload();
    groupGridLayout();
    selectGroupRow(row);
}

void Glavna::storeChanged(const StoreChange& change)
{
    if (m_groups == nullptr) {
        return;
    }
    if (change.has(StoreChange::GroupNames) || change.has(StoreChange::Playlist)) {
        Kreiraj_Meni();
    }
    refreshGrids();
}

std::string Glavna::currentGroup() const
{
    const int row = m_groupGrid->currentIndex().row();
    return row >= 0 && m_groups != nullptr ? m_groups->grupa(row) : std::string();
}

} // namespace listrion::editing
