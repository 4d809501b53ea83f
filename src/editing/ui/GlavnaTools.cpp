// The main window's entries of the stream player and the link checker, and the start-up check
// of the media player.
#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/HistoryMenu.h"
#include "player/MediaPlayerCheck.h"
#include "player/VlcPreviewPlayer.h"
#include "player/ui/Player.h"
#include "playlist/StreamHeaders.h"
#include "settings/TextCatalogue.h"
#include "tools/ui/Check_Validate.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>

namespace listrion::editing {
namespace {

// The player, the link checker and the EPG id window work on the main window's store
// connection: they close before the main window's own close handling lets the store go.
class ToolWindowsCloser : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && watched == parent()) {
            for (const char* name : {"Player", "Check_Validate", "EPG_Code"}) {
                if (auto* window =
                        parent()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
                    window->close();
                }
            }
        }
        return false;
    }
};

// The user agent and referrer a channel's stream needs, for the preview player.
player::MediaOptions keptMediaOptions(const store::Database& db, std::int64_t rowId)
{
    const playlist::StreamHeaders headers = playlist::streamHeadersOf(db, rowId);
    return {headers.userAgent, headers.referrer};
}

// What the link checker is given: the kept stream headers of each channel for its checks and
// its preview, and the player.
tools::ui::Check_Validate::Services
checkerServices(store::Database& db, controls::Prompter& prompter, StoreEvents& events,
                const player::ui::PlayerFactory& makePlayer,
                const std::function<bool(std::string*)>& playerWorks)
{
    tools::ui::Check_Validate::Services services{prompter, events, makePlayer};
    services.runOptions = tools::withKeptStreamHeaders(services.runOptions);
    services.mediaOptions = [&db](std::int64_t rowId) {
        return keptMediaOptions(db, rowId);
    };
    if (playerWorks) {
        services.playerWorks = playerWorks;
    }
    return services;
}

} // namespace

void Glavna::attachHistoryMenu(QWidget* window)
{
    if (window->layout() == nullptr) {
        return;
    }
    // A window with a menu bar of its own gets the Edit menu beside its menus.
    auto* bar = qobject_cast<QMenuBar*>(window->layout()->menuBar());
    if (bar == nullptr) {
        bar = new QMenuBar(window);
        window->layout()->setMenuBar(bar);
    }
    QMenu* edit = bar->addMenu(text(settings::Texts::MenuEdit));
    edit->setObjectName("mnuEdit");
    auto* history = new ui::HistoryMenu(
        edit, window, [this] { return m_db ? &*m_db : nullptr; }, m_events, m_services.prompter);
    history->setCaptions(text(settings::Texts::UndoEntry), text(settings::Texts::RedoEntry));
}

void Glavna::playChannel(QWidget* over, const std::string& group, std::int64_t rowId)
{
    // Opens the player on the channel, or brings the open one forward to it. The player reads
    // its texts while it is built, so a later change of language does not reach into a window
    // that is open. Over a modal window (the channel editor) it is that window's child, so it
    // takes input.
    auto* window = over->findChild<player::ui::Player*>("Player", Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new player::ui::Player(*m_db, *m_texts,
                                        {m_services.prompter, m_events, m_playerFactory,
                                         [this](std::int64_t id) {
                                             return keptMediaOptions(*m_db, id);
                                         }},
                                        over);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &player::ui::Player::closed, this, &Glavna::refreshGrids);
        attachHistoryMenu(window);
    }
    window->show();
    window->raise();
    window->showChannels(group, rowId);
}

void Glavna::buildToolEntries()
{
    installEventFilter(new ToolWindowsCloser(this));
    const player::ui::PlayerFactory makePlayer =
        m_services.makePlayer ? player::ui::PlayerFactory(m_services.makePlayer)
                              : player::ui::PlayerFactory(player::ui::makeVlcPlayer);
    m_playerFactory = makePlayer;
    const auto openPlayer = [this] {
        const int row = std::max(0, m_channelGrid->currentIndex().row());
        if (m_channels != nullptr && m_channels->rowCount() > 0) {
            playChannel(this, m_channels->grupa(row), m_channels->rowId(row));
        }
    };
    connect(keyed(buttonAfter(m_channelGrid->parentWidget(), "cmdChannel_edit", "cmdPlay", {}),
                  settings::Texts::PlayButton),
            &QAbstractButton::clicked, this, openPlayer);
    // Play channel in the Channels menu and in the channel grid's pop-up menu.
    for (QMenu* menu : {menuBar()->findChild<QMenu*>("mnuChannels"),
                        findChild<QMenu*>("mnuChannels2", Qt::FindDirectChildrenOnly)}) {
        if (menu != nullptr) {
            menu->addSeparator();
            QAction* play = keyed(menu->addAction(QString()), settings::Texts::PlayChannelEntry);
            play->setObjectName(menu->objectName().endsWith('2') ? "mnuPlayChannel2"
                                                                 : "mnuPlayChannel");
            connect(play, &QAction::triggered, this, openPlayer);
        }
    }

    // The link checker hides this window while it is open; closing it shows this window again,
    // re-read.
    const auto openLinkChecker = [this, makePlayer] {
        if (!hasChannels(*m_db)) {
            return;
        }
        tools::ui::Check_Validate::Services services = checkerServices(
            *m_db, m_services.prompter, m_events, makePlayer, m_services.playerWorks);
        services.offerBackup = [this] {
            offerBackup();
        };
        services.openRestore = [this](QWidget* over) {
            openRestore(over);
        };
        auto* checker = new tools::ui::Check_Validate(*m_db, *m_texts, m_settings, services, this);
        checker->setAttribute(Qt::WA_DeleteOnClose);
        attachHistoryMenu(checker);
        connect(checker, &tools::ui::Check_Validate::closed, this, [this] {
            show();
            refreshGrids();
        });
        checker->start();
        hide();
    };
    QMenu* tools = menuBar()->findChild<QMenu*>("mnuTools");
    tools->menuAction()->setVisible(true);
    QAction* check = keyed(tools->addAction(QString()), settings::Texts::CheckLinksEntry);
    check->setObjectName("mnuCheck_broken_channels");
    connect(check, &QAction::triggered, this, openLinkChecker);
}

void Glavna::checkMediaPlayer()
{
    player::checkMediaPlayer(
        m_settings,
        [this] {
            std::string why;
            return m_services.playerWorks ? m_services.playerWorks(&why)
                                          : player::VlcPreviewPlayer::works(&why);
        },
        [this] { return m_services.prompter.question(player::kMediaPlayerQuestion); });
}

} // namespace listrion::editing
