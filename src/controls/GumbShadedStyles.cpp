#include "controls/GumbDrawing.h"
#include "controls/GumbStylePainter.h"

#include <QLinearGradient>
#include <QPainter>

namespace listrion::controls::shaded {
namespace {

QColor mix(const QColor& from, const QColor& to, int weight)
{
    return GumbPalette::blend(from, to, weight);
}

bool isState(const GumbLook& look, GumbState state)
{
    return look.state == state;
}

// The glossy bands of the Mac and Glass styles: strong on light faces, subdued on dark ones
// where a bright upper half would swallow a light caption.
QGradientStops glossOf(const QColor& base, const QColor& highlight, const QColor& lowest)
{
    const bool dark = GumbPalette::brightness(base) < 128;
    const int top = dark ? 90 : 210;
    const int middle = dark ? 45 : 105;
    return drawing::twoBands(mix(base, highlight, top), mix(base, highlight, middle), base, lowest);
}

QGradientStops solid(const QColor& color)
{
    return drawing::gradient(color, color);
}

// Draws the box and returns the usual frame with the caption's background taken from the
// middle of the fill.
GumbFrame boxed(QPainter& p, const QRect& r, qreal radius, const QGradientStops& fill,
                const QColor& rim, qreal rimWidth, int inset, const GumbLook& look, bool shift)
{
    drawing::box(p, r, radius, fill, rim, rimWidth);
    GumbFrame f = GumbFrame::inside(r, inset, look, shift);
    f.fill = drawing::colorAt(fill, 0.5);
    return f;
}

} // namespace

GumbFrame standard(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    QGradientStops fill =
        drawing::gradient(mix(c.face, c.highlight, 120), mix(c.face, c.shadow, 24));
    QColor rim = c.shadow;
    if (isState(look, GumbState::Disabled)) {
        fill = solid(c.face);
        rim = mix(c.shadow, c.face, 112);
    } else if (look.sunken()) {
        fill = drawing::gradient(mix(c.face, c.shadow, 72), mix(c.face, c.shadow, 16));
        rim = look.checked ? c.shadow : mix(c.accent, c.darkShadow, 80);
    } else if (isState(look, GumbState::Hover)) {
        fill = drawing::gradient(mix(c.face, c.highlight, 200), mix(c.face, c.highlight, 48));
        rim = c.accent;
    }
    return boxed(p, r, 3, fill, rim, 1.0, 3, look, true);
}

GumbFrame gradient(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    const QColor deep = mix(c.face, c.shadow, 128);
    QGradientStops fill{{0.0, c.highlight}, {0.45, c.face}, {1.0, deep}};
    QColor rim = mix(c.shadow, c.darkShadow, 128);
    if (look.sunken()) {
        fill = {{0.0, deep}, {0.55, c.face}, {1.0, c.light}};
    } else if (isState(look, GumbState::Hover)) {
        fill = {{0.0, c.highlight}, {0.6, c.face}, {1.0, mix(c.face, c.shadow, 64)}};
        rim = c.accent;
    } else if (isState(look, GumbState::Disabled)) {
        rim = c.shadow;
    }
    return boxed(p, r, 0, fill, rim, 1.0, 3, look, true);
}

GumbFrame rounded(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    const qreal radius = std::min(7, r.height() / 3);
    QColor fill = c.face;
    QColor rim = c.shadow;
    qreal rimWidth = 1.0;
    if (isState(look, GumbState::Disabled)) {
        rim = mix(c.shadow, c.face, 128);
    } else if (look.sunken()) {
        fill = mix(c.face, c.shadow, 80);
        rim = mix(c.shadow, c.darkShadow, 128);
    } else if (isState(look, GumbState::Hover)) {
        fill = mix(c.face, c.lightAccent, 110);
        rim = c.accent;
        rimWidth = 1.5;
    }
    return boxed(p, r, radius, solid(fill), rim, rimWidth, 2 + static_cast<int>(radius) / 2, look,
                 true);
}

GumbFrame officeXp(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    QColor fill = mix(c.face, c.highlight, 110);
    QColor rim = mix(c.face, c.shadow, 140);
    if (isState(look, GumbState::Disabled)) {
        rim = mix(c.face, c.shadow, 64);
    } else if (isState(look, GumbState::Pressed)) {
        fill = mix(c.lightAccent, c.accent, 100);
        rim = c.accent;
    } else if (look.checked) {
        fill = mix(c.lightAccent, c.highlight, 100);
        rim = c.accent;
    } else if (isState(look, GumbState::Hover)) {
        fill = c.lightAccent;
        rim = c.accent;
    }
    return boxed(p, r, 0, solid(fill), rim, 1.0, 3, look, false);
}

GumbFrame office2003(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    QGradientStops fill =
        drawing::gradient(mix(c.face, c.highlight, 150), mix(c.face, c.accent, 48));
    QColor rim = c.accent;
    qreal rimWidth = 1.0;
    if (isState(look, GumbState::Disabled)) {
        fill = drawing::gradient(c.highlight, c.face);
        rimWidth = 0.0;
    } else if (look.sunken()) {
        fill = drawing::gradient(c.lightAccent, mix(c.lightAccent, c.accent, 112));
    } else if (isState(look, GumbState::Hover)) {
        fill = drawing::gradient(mix(c.lightAccent, c.highlight, 128), c.lightAccent);
    } else {
        rimWidth = 0.0; // toolbar buttons show no border until hovered
    }
    return boxed(p, r, 0, fill, rim, rimWidth, 3, look, false);
}

GumbFrame windowsXp(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    if (isState(look, GumbState::Disabled)) {
        return boxed(p, r, 3, solid(c.face), mix(c.shadow, c.face, 96), 1.0, 4, look, true);
    }
    const QColor rim = mix(c.darkShadow, c.accent, 72);
    if (look.sunken()) {
        return boxed(
            p, r, 3,
            {{0.0, mix(c.face, c.shadow, 96)}, {0.15, c.face}, {1.0, mix(c.face, c.highlight, 64)}},
            rim, 1.0, 4, look, true);
    }
    GumbFrame f = boxed(p, r, 3,
                        {{0.0, c.highlight},
                         {0.85, mix(c.face, c.highlight, 64)},
                         {1.0, mix(c.face, c.shadow, 96)}},
                        rim, 1.0, 4, look, true);
    if (isState(look, GumbState::Hover)) {
        // The hot rim: light accent on top fading into the accent below.
        QLinearGradient hot(0.0, r.top(), 0.0, r.bottom());
        hot.setStops(drawing::gradient(c.lightAccent, c.accent));
        drawing::rim(p, r.adjusted(1, 1, -1, -1), 2, hot, 2.0);
    }
    return f;
}

GumbFrame mac(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    QColor base = c.face;
    QColor rim = mix(c.shadow, c.darkShadow, 64);
    if (isState(look, GumbState::Disabled)) {
        rim = mix(c.shadow, c.face, 96);
    } else if (look.sunken()) {
        base = mix(c.face, c.accent, 120);
        rim = mix(c.accent, c.darkShadow, 96);
    } else if (isState(look, GumbState::Hover)) {
        base = mix(c.face, c.accent, 56);
        rim = mix(c.accent, c.darkShadow, 64);
    }
    const qreal radius = r.height() / 2.0;
    GumbFrame f = boxed(p, r, radius, glossOf(base, c.highlight, mix(base, c.highlight, 150)), rim,
                        1.0, 3, look, false);
    f.content.adjust(static_cast<int>(radius / 2), 0, -static_cast<int>(radius / 2), 0);
    f.focus = f.content;
    return f;
}

GumbFrame glass(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    QColor base = c.face;
    QColor rim = mix(c.shadow, c.darkShadow, 96);
    if (look.sunken()) {
        base = mix(c.lightAccent, c.accent, 90);
        rim = mix(c.accent, c.darkShadow, 96);
    } else if (isState(look, GumbState::Hover)) {
        base = c.lightAccent;
        rim = mix(c.accent, c.darkShadow, 48);
    } else if (isState(look, GumbState::Disabled)) {
        rim = mix(c.shadow, c.face, 96);
    }
    GumbFrame f = boxed(p, r, 3, glossOf(base, c.highlight, mix(base, c.shadow, 24)), rim, 1.0, 3,
                        look, false);
    // The inner line: a glint when raised, a shadow when sunken.
    QColor inner = look.sunken() ? mix(base, c.shadow, 140) : c.highlight;
    inner.setAlpha(isState(look, GumbState::Disabled) ? 90 : 170);
    drawing::rim(p, r.adjusted(1, 1, -1, -1), 2, inner, 1.0);
    return f;
}

} // namespace listrion::controls::shaded
