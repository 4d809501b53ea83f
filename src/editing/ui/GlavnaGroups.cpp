// The main window's group editor entry and the channel dialogs of its channel grid.
#include "editing/ui/Glavna.h"

#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/Add_channel.h"
#include "editing/ui/Edit_Channel.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/Editor_Groups.h"
#include "editing/ui/GroupGridPart.h"

#include <QTableView>

namespace listrion::editing {

ui::EditingContext Glavna::context()
{
    return {*m_db, m_events, *m_texts, m_services.prompter, m_folder, m_settings};
}

int Glavna::currentGroupRow() const
{
    return m_groupGrid->currentIndex().row();
}

int Glavna::currentChannelRow() const
{
    return m_channelGrid->currentIndex().row();
}

bool Glavna::groupTicksShown() const
{
    return m_selectingGroups || (m_groupPart != nullptr && m_groupPart->ticksShown());
}

void Glavna::openGroupEditor()
{
    if (m_groups->rowCount() == 0) {
        return;
    }
    const ui::EditingContext c = context();
    ui::Editor_Groups editor(c, this);
    editor.exec();
}

void Glavna::editChannel()
{
    const int row = currentChannelRow();
    if (m_channels->rowCount() == 0 || row < 0) {
        return;
    }
    const ui::EditingContext c = context();
    ui::Edit_Channel dialog(c, m_channels->rowId(row), this);
    dialog.exec();
}

void Glavna::addChannel()
{
    if (m_groups->rowCount() == 0) {
        return;
    }
    const ui::EditingContext c = context();
    ui::Add_channel dialog(c, QString::fromStdString(currentGroup()), this);
    if (dialog.exec() == QDialog::Accepted) {
        selectChannelRow(m_channels->rowOfId(dialog.addedRowId()));
    }
}

} // namespace listrion::editing
