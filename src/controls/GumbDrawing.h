#pragma once

#include <QBrush>
#include <QColor>
#include <QRect>

class QPainter;

// Drawing primitives shared by the Gumb styles. Straight lines are filled pixel rows so that
// one-pixel bevels land exactly on the border; round shapes are antialiased.
namespace listrion::controls::drawing {

// One-pixel lines: `topLeft` along the top and left edges of `r`, `bottomRight` along the
// bottom and right edges.
void bevel(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight);
// A one-pixel rectangle along the edges of `r`.
void frame(QPainter& p, const QRect& r, const QColor& color);

// A vertical gradient from `top` to `bottom`.
QGradientStops gradient(const QColor& top, const QColor& bottom);
// Two bands meeting in the middle, as glossy buttons have.
QGradientStops twoBands(const QColor& top, const QColor& middleTop, const QColor& middleBottom,
                        const QColor& bottom);

// The colour of `stops` at `position` (0 top .. 1 bottom).
QColor colorAt(const QGradientStops& stops, qreal position);

// Fills `r` (round corners of `radius`, 0 for square) with the vertical `fill` and strokes
// its rim with `rimWidth` pixels of `rim` (none when rimWidth is 0).
void box(QPainter& p, const QRect& r, qreal radius, const QGradientStops& fill, const QColor& rim,
         qreal rimWidth = 1.0);
// Strokes only a rim inside `r`.
void rim(QPainter& p, const QRect& r, qreal radius, const QBrush& brush, qreal width);

} // namespace listrion::controls::drawing
