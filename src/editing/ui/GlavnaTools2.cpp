// The main window's entries of the channel search, the playlist merge and the channel explorer.
// Each of these windows hides the main window while it is open; closing it shows the main window
// again, its grids read afresh.
#include "editing/ui/Glavna.h"

#include "controls/BackgroundRun.h"
#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/Backup_Playlist.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/Channel_Explorer.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/Restore_Playlist.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "store/Statement.h"
#include "store/Tables.h"
#include "tools/ui/Merge_Playlist.h"
#include "tools/ui/Poisci_Kanal.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>

namespace listrion::editing {
controls::Gumb* Glavna::buttonAfter(QWidget* pane, const char* after, const char* name,
                                    const QString& caption)
{
    auto* button = new controls::Gumb(caption, pane);
    button->setObjectName(name);
    button->setMinimumSize(44, 26);
    const auto* last = pane->findChild<QWidget*>(after);
    for (auto* row : pane->findChildren<QBoxLayout*>()) {
        const int at = last != nullptr ? row->indexOf(last) : -1;
        if (at >= 0) {
            row->insertWidget(at + 1, button);
            return button;
        }
    }
    static_cast<QBoxLayout*>(pane->layout())->insertWidget(0, button, 0, Qt::AlignLeft);
    return button;
}

void Glavna::offerBackup()
{
    ui::Backup_Playlist::offerBackup(*m_db, *m_texts, m_services.prompter);
}

void Glavna::openRestore(QWidget* over)
{
    ui::Restore_Playlist restore(*m_db, *m_texts, m_services.prompter, over);
    connect(&restore, &ui::Restore_Playlist::restored, this, [this] {
        m_events.publish({StoreChange::Playlist, {}, {}, {}});
    });
    restore.exec();
}

void Glavna::buildSearchAndMergeEntries()
{
    const auto offerBackup = [this] {
        Glavna::offerBackup();
    };
    const auto openRestore = [this](QWidget* over) {
        Glavna::openRestore(over);
    };
    // Shows a tool window in place of this one.
    const auto showInstead = [this](QWidget* window) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        hide();
    };
    const auto returned = [this] {
        show();
        Kreiraj_Meni();
        refreshGrids();
    };

    // The play buttons of the search and the explorer open the player over their window on the
    // channel of a row id.
    const auto playOver = [this](const char* windowName) {
        return [this, windowName](std::int64_t rowId) {
            auto* window = findChild<QWidget*>(windowName, Qt::FindDirectChildrenOnly);
            store::Statement group = m_db->prepare("SELECT grupa FROM Playlist WHERE rowid = ?");
            group.bind(1, rowId);
            if (window != nullptr && group.step()) {
                playChannel(window, group.columnText(0), rowId);
            }
        };
    };
    const auto openSearch = [=, this] {
        if (m_channels->rowCount() == 0) {
            return;
        }
        auto* window = new tools::ui::Poisci_Kanal(
            *m_db, *m_texts, m_settings,
            {m_services.prompter, m_events, offerBackup, openRestore, playOver("Poisci_Kanal")},
            this);
        connect(window, &tools::ui::Poisci_Kanal::closed, this, returned);
        attachHistoryMenu(window);
        showInstead(window);
    };
    const auto openMerge = [=, this] {
        if (store::groupCount(*m_db) == 0 || !hasChannels(*m_db)) {
            return;
        }
        tools::ui::Merge_Playlist::Services services{m_services.prompter, m_events, offerBackup,
                                                     openRestore};
        services.runLong = [this](QWidget* over, const QString& text,
                                  const std::function<void(store::Database&)>& work) {
            return controls::runInBackground(over, m_folder.dataMdb(), text, work);
        };
        auto* window =
            new tools::ui::Merge_Playlist(*m_db, *m_texts, openOptions(), services, this);
        connect(window, &tools::ui::Merge_Playlist::closed, this, returned);
        attachHistoryMenu(window);
        showInstead(window);
    };
    const auto openExplorer = [=, this] {
        if (m_channels->rowCount() == 0) {
            return;
        }
        auto* window = new ui::Channel_Explorer(context(), playOver("Channel_Explorer"), this);
        connect(window, &ui::Channel_Explorer::closed, this, returned);
        attachHistoryMenu(window);
        showInstead(window);
    };

    // The merge adds groups: its button sits with the group commands.
    using namespace settings::Texts;
    connect(keyed(buttonAfter(m_groupGrid->parentWidget(), "cmdEdit_Groups", "cmdMerge", {}),
                  MergeButton),
            &QAbstractButton::clicked, this, openMerge);
    QWidget* channelPane = m_channelGrid->parentWidget();
    controls::Gumb* explorer = keyed(
        buttonAfter(channelPane, "cmdChannel_delete", "cmdChannel_Explorer", {}), ExplorerButton);
    connect(explorer, &QAbstractButton::clicked, this, openExplorer);
    controls::Gumb* find =
        keyed(buttonAfter(channelPane, "cmdChannel_delete", "cmdChannel_find", {}), FindButton);
    m_channelPart->addChannelControl(find);
    connect(find, &QAbstractButton::clicked, this, openSearch);

    auto* channels = menuBar()->findChild<QMenu*>("mnuChannels");
    channels->addSeparator();
    QAction* search = keyed(channels->addAction(QString()), FindChannelEntry);
    search->setObjectName("mnuSearch_channel");
    search->setShortcut(QKeySequence::Find);
    connect(search, &QAction::triggered, this, openSearch);
    QAction* explorerEntry = keyed(channels->addAction(QString()), ChannelExplorerEntry);
    explorerEntry->setObjectName("mnuChannel_Explorer");
    connect(explorerEntry, &QAction::triggered, this, openExplorer);
    auto* file = menuBar()->findChild<QMenu*>("mnuFile");
    QAction* merge = keyed(new QAction(file), MergePlaylistEntry);
    merge->setObjectName("mnuMerge_playlist");
    file->insertAction(file->findChild<QMenu*>("mnuConvert")->menuAction(), merge);
    connect(merge, &QAction::triggered, this, openMerge);
}

} // namespace listrion::editing
