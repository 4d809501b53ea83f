#pragma once

#include <functional>

namespace listrion::settings {
class Settings;
}

namespace listrion::player {

// The start-up check of the media player, kept in Settings.ini as VLC 1: "1" once the player
// has been found working or the user has said it is installed. A missing or unreadable value
// becomes "0" and nothing is asked; at a later start with "0", the user is asked only when the
// player does not work (`playerWorks`), and Yes to `askInstalled` stores "1". Any other number
// becomes "1". `playerWorks` is called only when the answer depends on it.
void checkMediaPlayer(const settings::Settings& settings, const std::function<bool()>& playerWorks,
                      const std::function<bool()>& askInstalled);

// The question asked when the media player does not work.
inline constexpr const char* kMediaPlayerQuestion =
    "The program cannot find the VLC player. Is VLC player installed on your computer ?";

} // namespace listrion::player
