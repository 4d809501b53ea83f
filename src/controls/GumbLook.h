#pragma once

#include "controls/GumbPalette.h"

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace listrion::controls {

// The values of ButtonType: each draws its own border, bevel and face.
enum class GumbStyle : int {
    Flat = 1,   // face only; thin bevel when hovered
    Classic,    // two-pixel raised bevel
    Standard,   // slightly rounded, soft vertical gradient (the default)
    Thin,       // one-pixel raised bevel
    Gradient,   // light-to-dark face gradient in a square frame
    Rounded,    // plain face, round corners
    OfficeXp,   // light face, fills with the accent when hovered
    Office2003, // gradient face without border, accent gradient when hovered
    WindowsXp,  // round corners, dark rim, gradient face, accent rim when hovered
    Mac,        // glossy capsule
    WebLink,    // caption drawn as a hyperlink
    Frame,      // single dark frame, inverted when pressed
    Etched,     // etched groove around the face
    Glass,      // two-tone glass with inner highlight
};
inline constexpr int kFirstGumbStyle = static_cast<int>(GumbStyle::Flat);
inline constexpr int kLastGumbStyle = static_cast<int>(GumbStyle::Glass);

// The values of PicturePosition: where the picture goes relative to the caption.
enum class PicturePosition : int {
    LeftOfCaption = 0,
    RightOfCaption,
    AboveCaption,
    BelowCaption,
    LeftEdge,  // at the left border, caption centred in the rest
    RightEdge, // at the right border, caption centred in the rest
};
inline constexpr int kLastPicturePosition = static_cast<int>(PicturePosition::RightEdge);

// The values of SpecialEffect: how the caption is drawn.
enum class SpecialEffect : int {
    None = 0,
    Raised,   // light above-left, shadow below-right
    Sunken,   // shadow above-left, light below-right
    Shadowed, // soft drop shadow
};
inline constexpr int kLastSpecialEffect = static_cast<int>(SpecialEffect::Shadowed);

// The four looks every style distinguishes.
enum class GumbState { Normal, Hover, Pressed, Disabled };

// Everything the painters need to draw a Gumb once, taken from the widget's properties and
// state. `colors.face` and `colors.text` are already those of the current state.
struct GumbLook {
    int style = static_cast<int>(GumbStyle::Standard);
    GumbState state = GumbState::Normal;
    bool checked = false;
    bool focusRect = false;
    bool softBevel = false;
    GumbPalette colors;
    QString caption;
    QFont font;
    QPixmap picture; // already masked and greyed as the state requires
    int picturePosition = 0;
    int specialEffect = 0;

    bool sunken() const { return state == GumbState::Pressed || checked; }
};

// What a style leaves for the caption and picture after drawing border and face.
struct GumbFrame {
    QRect content; // caption and picture go here (already moved when the style shifts it)
    QRect focus;   // the focus rectangle
    QColor text;   // caption colour when enabled
    QColor fill;   // the colour behind the caption, to keep the caption readable
    bool underline = false;

    // The usual result: content `inset` pixels inside `r`, moved one pixel down and right
    // when `shift` is set and the button is sunken, focus rectangle one pixel inside that.
    static GumbFrame inside(const QRect& r, int inset, const GumbLook& look, bool shift)
    {
        GumbFrame f;
        f.content = r.adjusted(inset, inset, -inset, -inset);
        f.focus = f.content;
        if (shift && look.sunken()) {
            f.content.translate(1, 1);
        }
        f.text = look.colors.text;
        f.fill = look.colors.face;
        return f;
    }
};

} // namespace listrion::controls
