#pragma once

#include <QColor>

class QPalette;

namespace listrion::controls {

// The eight colours a Gumb draws with, derived from its colour scheme: 1 follows the system
// palette, 3 is the fixed classic grey set, 2 (soft) and 4 (contrast) are computed from the
// button's back colour.
struct GumbPalette {
    static constexpr int kSystem = 1;
    static constexpr int kSoft = 2;
    static constexpr int kClassic = 3;
    static constexpr int kContrast = 4;

    QColor face;
    QColor light;
    QColor highlight;
    QColor shadow;
    QColor darkShadow;
    QColor text;
    QColor accent;
    QColor lightAccent;

    // The palette of `scheme` (clamped to 1..4); `backColor` is the base of schemes 2 and 4,
    // `system` the source of scheme 1.
    static GumbPalette forScheme(int scheme, const QColor& backColor, const QPalette& system);

    // Moves `from` towards `to`: weight 0 gives `from`, 255 gives `to`, channel by channel
    // with rounding, alpha included.
    static QColor blend(const QColor& from, const QColor& to, int weight);

    // Perceived brightness on 0..255 (ITU-R 601 weights).
    static int brightness(const QColor& color);
    // `text` when it stands out enough from `fill`, otherwise `text` moved towards black (on
    // light fills) or white (on dark ones) until it does: the caption stays readable on any
    // face a style and scheme produce.
    static QColor readableOn(const QColor& text, const QColor& fill);
};

} // namespace listrion::controls
