#pragma once

#include "controls/GumbLook.h"

#include <QSize>

class QPainter;

namespace listrion::controls {

// Draws what lies on a Gumb's face: the picture and the caption (with its access key
// underlined and its special effect) in the place the style left, and the focus rectangle.
class GumbContentPainter {
public:
    static void paint(QPainter& p, const GumbFrame& frame, const GumbLook& look);
    // The size picture and caption need together, without the style's border.
    static QSize contentSize(const GumbLook& look);
};

} // namespace listrion::controls
