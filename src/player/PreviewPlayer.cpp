#include "player/PreviewPlayer.h"

namespace listrion::player {

void PreviewPlayer::setVisible(bool visible)
{
    if (visible != m_visible) {
        m_visible = visible;
        emit visibilityChanged(visible);
    }
}

} // namespace listrion::player
