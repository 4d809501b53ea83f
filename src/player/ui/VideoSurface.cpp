#include "player/ui/VideoSurface.h"

#include "player/VlcPreviewPlayer.h"

#include <QGuiApplication>
#include <QPalette>

namespace listrion::player::ui {

std::unique_ptr<PreviewPlayer> makeVlcPlayer(QWidget* surface)
{
    std::unique_ptr<VlcPreviewPlayer> player = VlcPreviewPlayer::create();
    if (player && surface != nullptr && QGuiApplication::platformName() == "xcb") {
        player->setOutputWindow(static_cast<std::uint32_t>(surface->winId()));
    }
    return player;
}

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMinimumSize(240, 135);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

} // namespace listrion::player::ui
