// The channel commands' entries of the main window: the Channels menu, the channel grid's pop-up
// menu (entries ending in "2"), the move-to-group and copy-to-group submenus, the buttons beside
// the channel grid, its keys and double click, and the parental-code entries.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/EditingContext.h"
#include "settings/TextCatalogue.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QTableView>

#include <optional>

namespace listrion::editing {
namespace {

using ui::ChannelGridPart;

QAction* entry(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void Glavna::buildChannelCommands(QMenu* channels, QWidget* channelPane)
{
    m_channelPart = new ChannelGridPart(
        m_channelGrid, [this] { return context(); }, ChannelGridPart::Form::MainWindow, this);
    connect(m_channelPart, &ChannelGridPart::ticksChanged, this, &Glavna::applyChannelColumns);
    m_channelPopup = new QMenu(this);
    m_channelPopup->setObjectName("mnuChannels2");
    m_channelGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_channelGrid, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        m_channelPopup->popup(m_channelGrid->viewport()->mapToGlobal(at));
    });
    buildChannelEntries(channels, false);
    buildChannelEntries(m_channelPopup, true);
    addCommand(channels, "mnuEdit_all_channels", settings::Texts::ChannelEditorEntry,
               &Glavna::openChannelEditor);

    // The parental codes of the group shown: one copy in each grid's pop-up menu.
    for (auto [menu, suffix] : {std::pair{m_groupPopup, ""}, std::pair{m_channelPopup, "2"}}) {
        menu->addSeparator();
        const bool fixedText = QString(suffix).isEmpty();
        connect(keyed(entry(menu, QString("mnuAdd_Parents_Code") + suffix, {}),
                      settings::Texts::AddParentalCodeEntry),
                &QAction::triggered, m_channelPart,
                [this, fixedText] { m_channelPart->addParentCode(fixedText); });
        connect(keyed(entry(menu, QString("mnuRemove_parents_code") + suffix, {}),
                      settings::Texts::RemoveParentalCodeEntry),
                &QAction::triggered, m_channelPart, &ChannelGridPart::removeParentCode);
    }

    auto* layout = static_cast<QBoxLayout*>(channelPane->layout());
    auto* row = new QHBoxLayout;
    layout->insertLayout(1, row);
    using namespace settings::Texts;
    const std::tuple<const char*, settings::TextKey, std::function<void()>, bool> buttons[] = {
        {"cmdChannel_up", UpButton, [this] { m_channelPart->moveUp(true); }, false},
        {"cmdChannel_down", DownButton, [this] { m_channelPart->moveDown(true); }, false},
        {"control13", AddButton, [this] { m_channelPart->addChannel(false); }, false},
        {"cmdChannel_edit", EditButton, [this] { m_channelPart->editChannel(); }, false},
        {"cmdChannel_delete", DeleteButton, [this] { m_channelPart->deleteChannels(false); },
         true}};
    for (const auto& [name, caption, command, deletes] : buttons) {
        auto* button = keyed(new controls::Gumb(QString(), channelPane), caption);
        button->setObjectName(name);
        button->setMinimumSize(44, 26);
        row->addWidget(button);
        connect(button, &QAbstractButton::clicked, m_channelPart, command);
        m_channelPart->addChannelControl(button, deletes);
    }
    row->addStretch(1);
    m_channelGrid->installEventFilter(this);
    connect(m_channelGrid, &QAbstractItemView::doubleClicked, m_channelPart,
            [this](const QModelIndex& at) {
                if (at.column() != ChannelGridModel::kTickColumn) {
                    m_channelPart->editChannel();
                }
            });
}

void Glavna::buildChannelEntries(QMenu* menu, bool popup)
{
    const QString s = popup ? "2" : "";
    ChannelGridPart* part = m_channelPart;
    using namespace settings::Texts;
    // Entries without a key (the mode entries) take their captions from the grid part.
    auto add = [&](const QString& name, std::optional<settings::TextKey> caption,
                   std::function<void()> command, bool single = false) {
        QAction* action = entry(menu, name, {});
        if (caption) {
            keyed(action, *caption);
        }
        connect(action, &QAction::triggered, part, std::move(command));
        if (single) {
            part->addChannelControl(action);
        }
        return action;
    };
    add(
        popup ? "mnuMoveChannelUp2" : "mnuUp", ChannelUpEntry, [part] { part->moveUp(false); },
        true);
    add(
        popup ? "mnuMoveChannelDown2" : "mnuDown", ChannelDownEntry,
        [part] { part->moveDown(false); }, true);
    add(
        "mnuMove_Channel_to_top" + s, ChannelToTopEntry, [part] { part->moveToTop(); }, true);
    add(
        "mnuMove_Channel_to_bottom" + s, ChannelToBottomEntry, [part] { part->moveToBottom(); },
        true);
    add(popup ? "mnuDelete_channel2" : "mnuDeleteChannel", DeleteChannelEntry,
        [part] { part->deleteChannels(true); });
    add(
        popup ? "mnuEditChannelClick" : "mnuEditChannel", EditChannelEntry,
        [part] { part->editChannel(); }, true);
    add(
        popup ? "mnuAddChannelClick" : "mnuAddNewChannel", AddChannelEntry,
        [part, popup] { part->addChannel(popup); }, true);
    menu->addSeparator();
    for (auto [name, caption] :
         {std::pair{"mnuxxx", MoveToGroupMenu}, std::pair{"mnuxxxCopy", CopyToGroupMenu}}) {
        QMenu* sub = keyed(menu->addMenu(QString()), caption);
        sub->setObjectName(name + s);
        sub->addAction(QString())->setVisible(false); // entry 0 of the design
        m_groupSubmenus << sub;
        connect(sub, &QMenu::aboutToShow, this, [this, sub] { fillGroupSubmenu(sub); });
    }
    menu->addSeparator();
    part->addDeleteModeEntry(add("mnuMultiselect_delete_channels" + s, std::nullopt,
                                 [part] { part->switchDeleteMode(); }));
    part->addSelectAllEntry(
        add("mnuSelect_all_delete" + s, std::nullopt, [part] { part->selectAll(); }), true);
    part->addMoveModeEntry(
        add(popup ? "mnuMultiselect_move_to_group2" : "mnuMulitiselect_move_to_group", std::nullopt,
            [part] { part->switchMoveMode(); }));
    add("mnuMultiselect_copy_to_group" + s, CopyTickingEntry, [part] { part->enterCopyTicking(); });
    part->addSelectAllEntry(add("mnuSelect_all" + s, std::nullopt, [part] { part->selectAll(); }),
                            false);
    add("mnuMultiselect_move_channel_up" + s, TickedChannelsUpEntry,
        [part] { part->stepTicked(true, true); });
    add("mnuMultiselect_move_channel_down" + s, TickedChannelsDownEntry,
        [part, popup] { part->stepTicked(false, !popup); });
    add("mnuMultiselect_move_to_top" + s, TickedChannelsToTopEntry,
        [part] { part->blockTicked(true); });
    add("mnuMultiselect_move_to_bottom" + s, TickedChannelsToBottomEntry,
        [part] { part->blockTicked(false); });
    add("mnuDisable_multiselect_move" + s, LeaveTickingEntry, [part] { part->leaveModes(); });
}

} // namespace listrion::editing
