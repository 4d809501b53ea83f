#include "controls/GumbDrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace listrion::controls::drawing {
namespace {

// The path through the middle of a rim `width` wide lying inside `r`.
QPainterPath roundedPath(const QRect& r, qreal radius, qreal width)
{
    const qreal inset = width / 2.0;
    const QRectF area = QRectF(r).adjusted(inset, inset, -inset, -inset);
    QPainterPath path;
    if (radius <= 0.0) {
        path.addRect(area);
    } else {
        const qreal rr = std::min(radius, std::min(area.width(), area.height()) / 2.0);
        path.addRoundedRect(area, rr, rr);
    }
    return path;
}

} // namespace

void bevel(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0) {
        return;
    }
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void frame(QPainter& p, const QRect& r, const QColor& color)
{
    bevel(p, r, color, color);
}

QGradientStops gradient(const QColor& top, const QColor& bottom)
{
    return {{0.0, top}, {1.0, bottom}};
}

QGradientStops twoBands(const QColor& top, const QColor& middleTop, const QColor& middleBottom,
                        const QColor& bottom)
{
    return {{0.0, top}, {0.5, middleTop}, {0.5001, middleBottom}, {1.0, bottom}};
}

QColor colorAt(const QGradientStops& stops, qreal position)
{
    if (stops.isEmpty()) {
        return {};
    }
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const auto& [endAt, end] = stops.at(i);
        if (position <= endAt) {
            const auto& [startAt, start] = stops.at(i - 1);
            const qreal span = endAt - startAt;
            const qreal t = span > 0.0 ? (position - startAt) / span : 1.0;
            const int weight = static_cast<int>(std::clamp(t, 0.0, 1.0) * 255.0 + 0.5);
            const auto mix = [weight](int a, int b) {
                return (a * (255 - weight) + b * weight) / 255;
            };
            return QColor(mix(start.red(), end.red()), mix(start.green(), end.green()),
                          mix(start.blue(), end.blue()));
        }
    }
    return stops.last().second;
}

void box(QPainter& p, const QRect& r, qreal radius, const QGradientStops& fill, const QColor& rim,
         qreal rimWidth)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient shade(0.0, r.top(), 0.0, r.bottom() + 1);
    shade.setStops(fill);
    if (rimWidth > 0.0) {
        p.setPen(QPen(rim, rimWidth));
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(shade);
    p.drawPath(roundedPath(r, radius, std::max(rimWidth, 1.0)));
    p.restore();
}

void rim(QPainter& p, const QRect& r, qreal radius, const QBrush& brush, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(brush, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedPath(r, radius, width));
    p.restore();
}

} // namespace listrion::controls::drawing
