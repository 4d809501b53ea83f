#pragma once

#include "player/PreviewPlayer.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace listrion::player::ui {

// Makes the player of a preview window, drawing into `surface`; null when none can be made.
using PlayerFactory = std::function<std::unique_ptr<PreviewPlayer>(QWidget* surface)>;

// The libVLC player. Under X11 the picture is drawn into `surface`; elsewhere libVLC opens a
// window of its own.
std::unique_ptr<PreviewPlayer> makeVlcPlayer(QWidget* surface);

// Where the picture of the preview is drawn: a black native window that the media player draws
// into, shown and hidden with the player's visibility.
class VideoSurface : public QWidget {
    Q_OBJECT

public:
    explicit VideoSurface(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {480, 270}; }
};

} // namespace listrion::player::ui
