#include "controls/GumbContentPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace listrion::controls {
namespace {

constexpr double kSmallestPoints = 6.5;
constexpr int kSmallestPixels = 9;

constexpr int kGap = 4;
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextShowMnemonic;

struct Placement {
    QRect picture;
    QRect caption;
};

QSize captionSize(const GumbLook& look)
{
    if (look.caption.isEmpty()) {
        return {};
    }
    return QFontMetrics(look.font).size(Qt::TextShowMnemonic, look.caption);
}

QSize pictureSize(const GumbLook& look)
{
    return look.picture.isNull() ? QSize() : look.picture.deviceIndependentSize().toSize();
}

// Picture and caption side by side (or one above the other), centred together in `area`.
Placement placeTogether(const QRect& area, QSize pic, QSize text, PicturePosition position)
{
    const bool across =
        position == PicturePosition::LeftOfCaption || position == PicturePosition::RightOfCaption;
    const bool pictureFirst =
        position == PicturePosition::LeftOfCaption || position == PicturePosition::AboveCaption;
    const QPoint centre = area.center();
    Placement place;
    if (across) {
        const int total = pic.width() + kGap + text.width();
        const int left = centre.x() - total / 2 + 1;
        const int picX = pictureFirst ? left : left + text.width() + kGap;
        const int textX = pictureFirst ? left + pic.width() + kGap : left;
        place.picture = QRect(QPoint(picX, centre.y() - pic.height() / 2 + 1), pic);
        place.caption = QRect(textX, area.top(), text.width(), area.height());
    } else {
        const int total = pic.height() + kGap + text.height();
        const int top = centre.y() - total / 2 + 1;
        const int picY = pictureFirst ? top : top + text.height() + kGap;
        const int textY = pictureFirst ? top + pic.height() + kGap : top;
        place.picture = QRect(QPoint(centre.x() - pic.width() / 2 + 1, picY), pic);
        place.caption = QRect(area.left(), textY, area.width(), text.height());
    }
    return place;
}

Placement place(const QRect& area, const GumbLook& look)
{
    const QSize pic = pictureSize(look);
    const QSize text = captionSize(look);
    const QPoint centre = area.center();
    if (pic.isEmpty()) {
        return {QRect(), area};
    }
    const QRect centredPicture(
        QPoint(centre.x() - pic.width() / 2 + 1, centre.y() - pic.height() / 2 + 1), pic);
    if (text.isEmpty()) {
        return {centredPicture, QRect()};
    }
    const auto position = static_cast<PicturePosition>(look.picturePosition);
    const int y = centredPicture.top();
    switch (position) {
    case PicturePosition::LeftEdge:
        return {QRect(QPoint(area.left(), y), pic), area.adjusted(pic.width() + kGap, 0, 0, 0)};
    case PicturePosition::RightEdge:
        return {QRect(QPoint(area.right() - pic.width() + 1, y), pic),
                area.adjusted(0, 0, -(pic.width() + kGap), 0)};
    default:
        return placeTogether(area, pic, text, position);
    }
}

void drawCaption(QPainter& p, const QRect& r, const GumbFrame& frame, const GumbLook& look,
                 const QColor& text)
{
    QFont font = look.font;
    if (frame.underline) {
        font.setUnderline(true);
    }
    // A caption wider than its button (a longer word in another language) is drawn smaller,
    // down to a readable size, rather than cut off at both ends.
    const int wide = QFontMetrics(font).size(Qt::TextShowMnemonic, look.caption).width();
    if (wide > r.width() && r.width() > 0) {
        const double scale = static_cast<double>(r.width()) / wide;
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() * scale));
        } else if (font.pixelSize() > 0) {
            font.setPixelSize(
                std::max(kSmallestPixels, static_cast<int>(font.pixelSize() * scale)));
        }
    }
    p.setFont(font);
    const auto at = [&](QPoint offset, const QColor& color) {
        p.setPen(color);
        p.drawText(r.translated(offset), kTextFlags, look.caption);
    };
    const GumbPalette& c = look.colors;
    if (look.state == GumbState::Disabled) {
        if (GumbPalette::brightness(frame.fill) >= 128) {
            at({1, 1}, c.highlight); // engraved, on light faces
            at({0, 0}, c.shadow);
        } else {
            at({0, 0}, GumbPalette::blend(frame.fill, text, 110)); // dim, on dark faces
        }
        return;
    }
    switch (static_cast<SpecialEffect>(look.specialEffect)) {
    case SpecialEffect::Raised:
        at({-1, -1}, c.highlight);
        at({1, 1}, c.shadow);
        break;
    case SpecialEffect::Sunken:
        at({-1, -1}, c.shadow);
        at({1, 1}, c.highlight);
        break;
    case SpecialEffect::Shadowed: {
        QColor shade = c.darkShadow;
        shade.setAlpha(96);
        at({2, 2}, shade);
        break;
    }
    case SpecialEffect::None:
        break;
    }
    at({0, 0}, text);
}

} // namespace

void GumbContentPainter::paint(QPainter& p, const GumbFrame& frame, const GumbLook& look)
{
    p.save();
    p.setClipRect(frame.content.united(frame.focus).adjusted(-1, -1, 1, 1));
    const QColor text = GumbPalette::readableOn(frame.text, frame.fill);
    const Placement where = place(frame.content, look);
    if (!where.picture.isEmpty()) {
        p.drawPixmap(where.picture.topLeft(), look.picture);
    }
    if (!where.caption.isEmpty() && !look.caption.isEmpty()) {
        drawCaption(p, where.caption, frame, look, text);
    }
    p.restore();
    if (look.focusRect && look.state != GumbState::Disabled && frame.focus.isValid()) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame.focus.adjusted(0, 0, -1, -1));
        p.restore();
    }
}

QSize GumbContentPainter::contentSize(const GumbLook& look)
{
    const QSize pic = pictureSize(look);
    const QSize text = captionSize(look);
    if (pic.isEmpty() || text.isEmpty()) {
        return pic.isEmpty() ? text : pic;
    }
    const auto position = static_cast<PicturePosition>(look.picturePosition);
    if (position == PicturePosition::AboveCaption || position == PicturePosition::BelowCaption) {
        return {std::max(pic.width(), text.width()), pic.height() + kGap + text.height()};
    }
    return {pic.width() + kGap + text.width(), std::max(pic.height(), text.height())};
}

} // namespace listrion::controls
