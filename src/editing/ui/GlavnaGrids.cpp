#include "editing/ui/Glavna.h"

#include "controls/CountLabels.h"
#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/GridSetup.h"
#include "editing/ui/GroupGridPart.h"
#include "editing/ui/HistoryMenu.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"
#include "text/CountText.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>

namespace listrion::editing {
void Glavna::setupGrids()
{
    m_groupGrid->setModel(m_groups);
    m_channelGrid->setModel(m_channels);
    ui::prepareGrid(m_groupGrid);
    ui::prepareGrid(m_channelGrid);
    m_channelPart->watchRows();
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
    m_groups->setHeaders({text(settings::Texts::TickColumn), text(settings::Texts::GroupNameLabel),
                          text(settings::Texts::TypeColumn), text(settings::Texts::StreamsColumn)});
    QFont caption("Verdana");
    caption.setBold(true);
    m_groupCaption->setFont(caption);
    ui::applyGroupGridColumns(m_groupGrid, m_settings, groupTicksShown());
}

void Glavna::applyChannelColumns()
{
    // The ticks show while channels are chosen for a command on ticked channels.
    ui::applyChannelGridColumns(m_channelGrid, *m_channels, m_settings, *m_texts,
                                m_channelPart->ticksShown());
    QFont caption = m_channelGrid->font();
    caption.setBold(true);
    m_channelCaption->setFont(caption);
}

void Glavna::groupGridLayout()
{
    if (m_groups == nullptr) {
        return;
    }
    m_groupCaption->setText(text(settings::Texts::GroupsCaption) + "( " +
                            QString::number(m_groups->rowCount()) + " ) ");
    m_totalChannels->setText(text(settings::Texts::ChannelsCaption) + " : " +
                             controls::countText(m_groups->totalChannels()));
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
                              controls::countText(m_channels->rowCount()) + " ) " + text(parental));
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
    m_history->refresh();
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
    // The same group stays current (under its new name after a rename), else the same row; in
    // the channel grid the same channel, else the same row.
    std::string group = currentGroup();
    if (!change.renamedFrom.empty() && store::compareText(group, change.renamedFrom) == 0) {
        group = change.renamedTo;
    }
    const int groupRow = std::max(0, m_groupGrid->currentIndex().row());
    const int channelRow = m_channelGrid->currentIndex().row();
    const std::int64_t channel = channelRow >= 0 ? m_channels->rowId(channelRow) : 0;
    m_groups->reload();
    groupGridLayout();
    const int row = m_groups->rowOfGroup(group);
    selectGroupRow(row >= 0 ? row : groupRow);
    const int again = m_channels->rowOfId(channel);
    selectChannelRow(again >= 0 ? again : std::min(channelRow, m_channels->rowCount() - 1));
}

void Glavna::selectChannelRow(int row)
{
    if (row < 0 || row >= m_channels->rowCount()) {
        return;
    }
    const QModelIndex index = m_channels->index(row, ChannelGridModel::kNameColumn);
    m_channelGrid->setCurrentIndex(index);
    m_channelGrid->scrollTo(index);
}

std::string Glavna::currentGroup() const
{
    const int row = m_groupGrid->currentIndex().row();
    return row >= 0 && m_groups != nullptr ? m_groups->grupa(row) : std::string();
}

} // namespace listrion::editing
