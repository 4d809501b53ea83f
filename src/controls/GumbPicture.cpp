#include "controls/GumbPicture.h"

#include <QImage>

namespace listrion::controls {
namespace {

// Applies `recolor` to every pixel's red, green and blue (un-premultiplied), keeping alpha.
template <typename Recolor> QPixmap recolored(const QPixmap& picture, Recolor recolor)
{
    if (picture.isNull()) {
        return picture;
    }
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = recolor(line[x]);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}

} // namespace

QPixmap GumbPicture::masked(const QPixmap& picture, const QColor& maskColor)
{
    const QRgb key = maskColor.rgb() & RGB_MASK;
    return recolored(picture, [key](QRgb px) { return (px & RGB_MASK) == key ? QRgb(0) : px; });
}

QPixmap GumbPicture::greyed(const QPixmap& picture)
{
    return recolored(picture, [](QRgb px) {
        const int grey = qGray(px);
        return qRgba(grey, grey, grey, qAlpha(px));
    });
}

QPixmap GumbPicture::faded(const QPixmap& picture, const QColor& face)
{
    const QRgb target = face.rgb();
    return recolored(picture, [target](QRgb px) {
        const int grey = qGray(px);
        return qRgba((grey + qRed(target)) / 2, (grey + qGreen(target)) / 2,
                     (grey + qBlue(target)) / 2, qAlpha(px));
    });
}

} // namespace listrion::controls
