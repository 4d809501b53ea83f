#include "player/MediaPlayerCheck.h"

#include "settings/Settings.h"

namespace listrion::player {

void checkMediaPlayer(const settings::Settings& settings, const std::function<bool()>& playerWorks,
                      const std::function<bool()>& askInstalled)
{
    const std::optional<long long> value = settings.readNumber(settings::Keys::VLC);
    if (!value) {
        settings.write(settings::Keys::VLC, "0");
        return;
    }
    if (*value == 0 && !playerWorks()) {
        // No stores nothing: the question comes again at the next start.
        if (askInstalled()) {
            settings.write(settings::Keys::VLC, "1");
        }
        return;
    }
    settings.write(settings::Keys::VLC, "1");
}

} // namespace listrion::player
