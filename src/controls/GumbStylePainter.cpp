#include "controls/GumbStylePainter.h"

#include "controls/GumbDrawing.h"

#include <QPainter>

namespace listrion::controls {
namespace {

using drawing::bevel;
using drawing::frame;

// The four bevel shades; SoftBevel trades the extremes for the neighbouring shades.
struct BevelShades {
    QColor outerLight;
    QColor innerLight;
    QColor innerDark;
    QColor outerDark;
};

BevelShades shadesOf(const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    if (look.softBevel) {
        return {c.light, GumbPalette::blend(c.face, c.light, 128),
                GumbPalette::blend(c.face, c.shadow, 128), c.shadow};
    }
    return {c.highlight, c.light, c.shadow, c.darkShadow};
}

QRect shrink(const QRect& r, int by)
{
    return r.adjusted(by, by, -by, -by);
}

GumbFrame flat(QPainter& p, const QRect& r, const GumbLook& look)
{
    const BevelShades b = shadesOf(look);
    p.fillRect(r, look.colors.face);
    if (look.sunken()) {
        bevel(p, r, b.innerDark, b.outerLight);
    } else if (look.state == GumbState::Hover) {
        bevel(p, r, b.outerLight, b.innerDark);
    }
    return GumbFrame::inside(r, 2, look, true);
}

GumbFrame classic(QPainter& p, const QRect& r, const GumbLook& look)
{
    const BevelShades b = shadesOf(look);
    p.fillRect(r, look.colors.face);
    if (look.state == GumbState::Pressed) {
        frame(p, r, b.outerDark);
        frame(p, shrink(r, 1), b.innerDark);
    } else if (look.checked) {
        bevel(p, r, b.innerDark, b.outerLight);
        bevel(p, shrink(r, 1), b.outerDark, b.innerLight);
    } else {
        QRect edge = r;
        if (look.state == GumbState::Hover) {
            // The hovered button gets the dark outline of a default button.
            frame(p, edge, b.outerDark);
            edge = shrink(edge, 1);
        }
        bevel(p, edge, b.outerLight, b.outerDark);
        bevel(p, shrink(edge, 1), b.innerLight, b.innerDark);
    }
    return GumbFrame::inside(r, 3, look, true);
}

GumbFrame thin(QPainter& p, const QRect& r, const GumbLook& look)
{
    const BevelShades b = shadesOf(look);
    p.fillRect(r, look.colors.face);
    if (look.sunken()) {
        bevel(p, r, b.innerDark, b.outerLight);
    } else if (look.state == GumbState::Hover) {
        bevel(p, r, b.outerLight, b.outerDark);
    } else {
        bevel(p, r, b.outerLight, b.innerDark);
    }
    return GumbFrame::inside(r, 2, look, true);
}

GumbFrame webLink(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    p.fillRect(r, c.face);
    GumbFrame f = GumbFrame::inside(r, 2, look, false);
    f.text = look.sunken() ? GumbPalette::blend(c.accent, c.darkShadow, 96) : c.accent;
    f.underline = look.state == GumbState::Hover || look.state == GumbState::Pressed;
    return f;
}

GumbFrame plainFrame(QPainter& p, const QRect& r, const GumbLook& look)
{
    const GumbPalette& c = look.colors;
    GumbFrame f = GumbFrame::inside(r, 3, look, false);
    if (look.state == GumbState::Disabled) {
        p.fillRect(r, c.face);
        frame(p, r, c.shadow);
        return f;
    }
    // Sunken is drawn inverted: the caption colour becomes the face and the other way round.
    p.fillRect(r, look.sunken() ? c.text : c.face);
    frame(p, r, c.darkShadow);
    if (look.state == GumbState::Hover || look.sunken()) {
        frame(p, shrink(r, 1), c.darkShadow);
    }
    if (look.sunken()) {
        f.text = c.face;
        f.fill = c.text;
    }
    return f;
}

GumbFrame etched(QPainter& p, const QRect& r, const GumbLook& look)
{
    const BevelShades b = shadesOf(look);
    p.fillRect(r, look.colors.face);
    const QRect outer = r.adjusted(0, 0, -1, -1);
    const QRect inner = r.adjusted(1, 1, 0, 0);
    if (look.state == GumbState::Hover && !look.checked) {
        // A ridge instead of the groove.
        frame(p, inner, b.innerDark);
        frame(p, outer, b.outerLight);
    } else {
        frame(p, inner, b.outerLight);
        frame(p, outer, b.innerDark);
    }
    if (look.sunken()) {
        bevel(p, shrink(r, 2), b.innerDark, b.outerLight);
    }
    return GumbFrame::inside(r, 3, look, true);
}

} // namespace

GumbFrame GumbStylePainter::paint(QPainter& p, const QRect& r, const GumbLook& look)
{
    switch (static_cast<GumbStyle>(look.style)) {
    case GumbStyle::Flat:
        return flat(p, r, look);
    case GumbStyle::Classic:
        return classic(p, r, look);
    case GumbStyle::Thin:
        return thin(p, r, look);
    case GumbStyle::Gradient:
        return shaded::gradient(p, r, look);
    case GumbStyle::Rounded:
        return shaded::rounded(p, r, look);
    case GumbStyle::OfficeXp:
        return shaded::officeXp(p, r, look);
    case GumbStyle::Office2003:
        return shaded::office2003(p, r, look);
    case GumbStyle::WindowsXp:
        return shaded::windowsXp(p, r, look);
    case GumbStyle::Mac:
        return shaded::mac(p, r, look);
    case GumbStyle::WebLink:
        return webLink(p, r, look);
    case GumbStyle::Frame:
        return plainFrame(p, r, look);
    case GumbStyle::Etched:
        return etched(p, r, look);
    case GumbStyle::Glass:
        return shaded::glass(p, r, look);
    case GumbStyle::Standard:
    default:
        return shaded::standard(p, r, look);
    }
}

} // namespace listrion::controls
