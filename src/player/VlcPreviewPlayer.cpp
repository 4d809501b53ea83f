#include "player/VlcPreviewPlayer.h"

#include <vlc/vlc.h>

namespace listrion::player {
namespace {

constexpr libvlc_event_e kEvents[] = {libvlc_MediaPlayerOpening, libvlc_MediaPlayerPlaying,
                                      libvlc_MediaPlayerStopped, libvlc_MediaPlayerEndReached,
                                      libvlc_MediaPlayerEncounteredError};

libvlc_instance_t* startVlc(const std::vector<std::string>& extra)
{
    std::vector<const char*> argv = {"--quiet", "--no-video-title-show", "--no-stats"};
    for (const std::string& argument : extra) {
        argv.push_back(argument.c_str());
    }
    return libvlc_new(static_cast<int>(argv.size()), argv.data());
}

// A playlist link is an address ("scheme://..."); anything else is taken as a file path.
libvlc_media_t* newMedia(libvlc_instance_t* vlc, const std::string& mrl)
{
    return mrl.find("://") != std::string::npos ? libvlc_media_new_location(vlc, mrl.c_str())
                                                : libvlc_media_new_path(vlc, mrl.c_str());
}

} // namespace

std::unique_ptr<VlcPreviewPlayer>
VlcPreviewPlayer::create(const std::vector<std::string>& arguments, QObject* parent)
{
    libvlc_instance_t* vlc = startVlc(arguments);
    if (vlc == nullptr) {
        return nullptr;
    }
    libvlc_media_player_t* player = libvlc_media_player_new(vlc);
    if (player == nullptr) {
        libvlc_release(vlc);
        return nullptr;
    }
    return std::unique_ptr<VlcPreviewPlayer>(new VlcPreviewPlayer(vlc, player, parent));
}

bool VlcPreviewPlayer::works(std::string* why)
{
    libvlc_instance_t* vlc = startVlc({});
    if (vlc == nullptr) {
        if (why != nullptr) {
            *why = "libVLC cannot start";
        }
        return false;
    }
    libvlc_audio_output_t* outputs = libvlc_audio_output_list_get(vlc);
    const bool found = outputs != nullptr;
    libvlc_audio_output_list_release(outputs);
    libvlc_release(vlc);
    if (!found && why != nullptr) {
        *why = "libVLC finds none of its plug-ins";
    }
    return found;
}

std::string VlcPreviewPlayer::version()
{
    return libvlc_get_version();
}

VlcPreviewPlayer::VlcPreviewPlayer(libvlc_instance_t* vlc, libvlc_media_player_t* player,
                                   QObject* parent)
    : PreviewPlayer(parent), m_vlc(vlc), m_player(player)
{
    // Keys and clicks on the picture belong to the window, not to libVLC.
    libvlc_video_set_key_input(m_player, 0);
    libvlc_video_set_mouse_input(m_player, 0);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (const libvlc_event_e type : kEvents) {
        libvlc_event_attach(events, type, &VlcPreviewPlayer::onEvent, this);
    }
    m_worker = std::thread([this] { work(); });
}

VlcPreviewPlayer::~VlcPreviewPlayer()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_worker.join();
    libvlc_media_player_stop(m_player);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (const libvlc_event_e type : kEvents) {
        libvlc_event_detach(events, type, &VlcPreviewPlayer::onEvent, this);
    }
    libvlc_media_player_release(m_player);
    libvlc_release(m_vlc);
}

void VlcPreviewPlayer::post(std::function<void()> operation)
{
    {
        const std::lock_guard lock(m_mutex);
        m_operations.push_back(std::move(operation));
    }
    m_wake.notify_one();
}

void VlcPreviewPlayer::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_operations.empty(); });
        if (m_operations.empty()) {
            return; // quitting, with nothing left to do
        }
        std::function<void()> operation = std::move(m_operations.front());
        m_operations.pop_front();
        m_busy = true;
        lock.unlock();
        operation();
        lock.lock();
        m_busy = false;
        if (m_operations.empty()) {
            m_idle.notify_all();
        }
    }
}

void VlcPreviewPlayer::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_operations.empty() && !m_busy; });
}

std::string VlcPreviewPlayer::media() const
{
    const std::lock_guard lock(m_mutex);
    return m_media;
}

void VlcPreviewPlayer::setOutputWindow(std::uint32_t xWindow)
{
    post([this, xWindow] { libvlc_media_player_set_xwindow(m_player, xWindow); });
}

void VlcPreviewPlayer::stop()
{
    post([this] { libvlc_media_player_stop(m_player); });
}

void VlcPreviewPlayer::clear()
{
    post([this] {
        libvlc_media_player_set_media(m_player, nullptr);
        m_state = State::Idle;
        const std::lock_guard lock(m_mutex);
        m_media.clear();
    });
}

void VlcPreviewPlayer::add(const std::string& mrl, const MediaOptions& options)
{
    const unsigned added = ++m_added;
    post([this, mrl, options, added] {
        libvlc_media_t* media = newMedia(m_vlc, mrl);
        if (media != nullptr) {
            if (!options.userAgent.empty()) {
                libvlc_media_add_option(media, (":http-user-agent=" + options.userAgent).c_str());
            }
            if (!options.referrer.empty()) {
                libvlc_media_add_option(media, (":http-referrer=" + options.referrer).c_str());
            }
        }
        libvlc_media_player_set_media(m_player, media);
        m_inPlayer = added;
        m_state = State::Idle;
        if (media != nullptr) {
            libvlc_media_release(media);
        } else {
            report(libvlc_MediaPlayerEncounteredError);
        }
        const std::lock_guard lock(m_mutex);
        m_media = mrl;
    });
}

void VlcPreviewPlayer::play()
{
    post([this] {
        if (libvlc_media_player_play(m_player) != 0) {
            m_state = State::Failed;
            report(libvlc_MediaPlayerEncounteredError);
        }
    });
}

void VlcPreviewPlayer::onEvent(const libvlc_event_t* event, void* self)
{
    auto* player = static_cast<VlcPreviewPlayer*>(self);
    switch (event->type) {
    case libvlc_MediaPlayerOpening:
        player->m_state = State::Opening;
        break;
    case libvlc_MediaPlayerPlaying:
        player->m_state = State::Playing;
        break;
    case libvlc_MediaPlayerStopped: {
        // libVLC stops after an error; the item stays failed.
        State failed = State::Failed;
        if (!player->m_state.compare_exchange_strong(failed, State::Failed)) {
            player->m_state = State::Stopped;
        }
        break;
    }
    case libvlc_MediaPlayerEndReached:
        player->m_state = State::Ended;
        break;
    case libvlc_MediaPlayerEncounteredError:
        player->m_state = State::Failed;
        break;
    default:
        return;
    }
    player->report(event->type);
}

void VlcPreviewPlayer::report(int type)
{
    if (type != libvlc_MediaPlayerPlaying && type != libvlc_MediaPlayerEncounteredError) {
        return;
    }
    // libVLC reports on its own threads; the signals are sent on the window's thread, and only
    // for the address the window added last.
    const unsigned item = m_inPlayer.load();
    QMetaObject::invokeMethod(
        this,
        [this, item, type] {
            if (item != m_added) {
                return;
            }
            if (type == libvlc_MediaPlayerPlaying) {
                emit playing();
            } else {
                emit failed();
            }
        },
        Qt::QueuedConnection);
}

} // namespace listrion::player
