#pragma once

#include "controls/GumbLook.h"

class QPainter;

namespace listrion::controls {

// Draws the border and face of a Gumb in its style and tells where the caption goes.
class GumbStylePainter {
public:
    static GumbFrame paint(QPainter& p, const QRect& r, const GumbLook& look);
};

// The styles drawn with shaded or rounded faces (the rest are bevels and frames).
namespace shaded {
GumbFrame standard(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame gradient(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame rounded(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame officeXp(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame office2003(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame windowsXp(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame mac(QPainter& p, const QRect& r, const GumbLook& look);
GumbFrame glass(QPainter& p, const QRect& r, const GumbLook& look);
} // namespace shaded

} // namespace listrion::controls
