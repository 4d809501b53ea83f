#pragma once

#include <QColor>
#include <QPixmap>

namespace listrion::controls {

// Prepares a Gumb's pictures: the mask colour made transparent, the grey picture shown while
// not hovered and the faded picture of a disabled button.
class GumbPicture {
public:
    // Every pixel of exactly `maskColor` becomes transparent.
    static QPixmap masked(const QPixmap& picture, const QColor& maskColor);
    // Each pixel replaced by its grey value; transparency kept.
    static QPixmap greyed(const QPixmap& picture);
    // Grey and moved halfway towards `face`, for the disabled look.
    static QPixmap faded(const QPixmap& picture, const QColor& face);
};

} // namespace listrion::controls
