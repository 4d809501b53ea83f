#pragma once

#include "controls/GumbPalette.h"

#include <QColor>
#include <QPalette>

namespace listrion::controls {

// A Gumb's colour settings: the scheme with its eight colours and the four colours the
// window may set (BackColor, BackOver, ForeColor, ForeOver). A colour not set explicitly
// follows the scheme; under the derived schemes 2 and 4 BackColor is the base of the rest.
class GumbColors {
public:
    explicit GumbColors(const QPalette& system);

    int scheme() const { return m_scheme; }
    // Clamped to 1..4; every colour but a derived scheme's BackColor follows the scheme again.
    void setScheme(int scheme, const QPalette& system);
    // Scheme 1 follows the system palette.
    void systemPaletteChanged(const QPalette& system);

    const GumbPalette& palette() const { return m_palette; }
    QColor backColor() const { return m_backColor; }
    QColor backOver() const { return m_backOver; }
    QColor foreColor() const { return m_foreColor; }
    QColor foreOver() const { return m_foreOver; }
    void setBackColor(const QColor& color, const QPalette& system);
    void setBackOver(const QColor& color);
    void setForeColor(const QColor& color);
    void setForeOver(const QColor& color);

private:
    enum Explicit { kBackColorSet = 1, kBackOverSet = 2, kForeColorSet = 4, kForeOverSet = 8 };

    bool isDerived() const;
    void apply(const QPalette& system);

    int m_scheme = GumbPalette::kSystem;
    int m_explicit = 0;
    GumbPalette m_palette;
    QColor m_backColor;
    QColor m_backOver;
    QColor m_foreColor;
    QColor m_foreOver;
};

} // namespace listrion::controls
