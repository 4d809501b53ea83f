// The main window's entries of the group and channel editors.
#include "editing/ui/Glavna.h"

#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/Editor_Channels.h"
#include "editing/ui/Editor_Groups.h"
#include "editing/ui/GroupGridPart.h"

#include <QTableView>

namespace listrion::editing {

ui::EditingContext Glavna::context()
{
    return {*m_db,
            m_events,
            *m_texts,
            m_services.prompter,
            m_folder,
            m_settings,
            [this](QWidget* over, const std::string& group, std::int64_t rowId) {
                playChannel(over, group, rowId);
            },
            [this] {
                openRestructuring();
            }};
}

int Glavna::currentGroupRow() const
{
    return m_groupGrid->currentIndex().row();
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

void Glavna::openChannelEditor()
{
    if (m_channels->rowCount() == 0) {
        return;
    }
    const ui::EditingContext c = context();
    ui::Editor_Channels editor(c, currentGroup(), this);
    editor.exec();
}

} // namespace listrion::editing
