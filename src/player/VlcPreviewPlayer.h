#pragma once

#include "player/PreviewPlayer.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_event_t;

namespace listrion::player {

// The preview player on libVLC 3. Every operation is carried out in order on a thread of the
// player's own, because stopping a network stream may take libVLC a while: the window that
// asks never waits. Hardware decoding is as libVLC chooses.
class VlcPreviewPlayer final : public PreviewPlayer {
    Q_OBJECT

public:
    enum class State { Idle, Opening, Playing, Stopped, Ended, Failed };

    // Null when libVLC cannot start. `arguments` are libVLC options, such as the dummy outputs
    // of tests ("--aout=adummy", "--vout=vdummy").
    static std::unique_ptr<VlcPreviewPlayer> create(const std::vector<std::string>& arguments = {},
                                                    QObject* parent = nullptr);
    // Whether libVLC loads and finds its plug-ins (an audio output at least); when not, `why`
    // says what is missing.
    static bool works(std::string* why = nullptr);
    static std::string version();

    ~VlcPreviewPlayer() override;

    // The X11 window that shows the picture (a native child window of the preview window).
    void setOutputWindow(std::uint32_t xWindow);

    void stop() override;
    void clear() override;
    void add(const std::string& mrl, const MediaOptions& options = {}) override;
    void play() override;

    // Waits until the operations asked for so far have been carried out.
    void flush();
    // As libVLC last reported it.
    State state() const { return m_state.load(); }
    // The address in the play list; empty when the list is empty.
    std::string media() const;

private:
    VlcPreviewPlayer(libvlc_instance_t* vlc, libvlc_media_player_t* player, QObject* parent);

    void post(std::function<void()> operation);
    void work();
    static void onEvent(const libvlc_event_t* event, void* self);
    void report(int type);

    libvlc_instance_t* m_vlc;
    libvlc_media_player_t* m_player;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_operations;
    bool m_busy = false;
    bool m_quit = false;
    std::string m_media;
    std::thread m_worker;

    std::atomic<State> m_state{State::Idle};
    // Which add() the events belong to: a failure of an address the window has moved away from
    // is not reported.
    unsigned m_added = 0;                // window thread
    std::atomic<unsigned> m_inPlayer{0}; // the add() whose item the player holds
};

} // namespace listrion::player
