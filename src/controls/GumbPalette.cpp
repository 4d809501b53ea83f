#include "controls/GumbPalette.h"

#include <QPalette>

#include <algorithm>
#include <cstdlib>

namespace listrion::controls {
namespace {

constexpr int kLightAccentWeight = 176;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

GumbPalette systemPalette(const QPalette& system)
{
    GumbPalette p;
    p.face = system.color(QPalette::Active, QPalette::Button);
    p.light = system.color(QPalette::Active, QPalette::Midlight);
    p.highlight = system.color(QPalette::Active, QPalette::Light);
    p.shadow = system.color(QPalette::Active, QPalette::Dark);
    p.darkShadow = system.color(QPalette::Active, QPalette::Shadow);
    p.text = system.color(QPalette::Active, QPalette::ButtonText);
    p.accent = system.color(QPalette::Active, QPalette::Highlight);
    p.lightAccent = GumbPalette::blend(p.accent, kWhite, kLightAccentWeight);
    return p;
}

GumbPalette classicPalette()
{
    GumbPalette p;
    p.face = QColor(192, 192, 192);
    p.light = QColor(223, 223, 223);
    p.highlight = QColor(255, 255, 255);
    p.shadow = QColor(128, 128, 128);
    p.darkShadow = QColor(0, 0, 0);
    p.text = QColor(0, 0, 0);
    p.accent = QColor(0, 0, 128);
    p.lightAccent = QColor(173, 173, 209);
    return p;
}

constexpr int kMinimumContrast = 96;

bool isDark(const QColor& c)
{
    return GumbPalette::brightness(c) < 128;
}

// An accent of the face's own hue; a grey face gets a dark slate accent.
QColor accentOf(const QColor& face, int hueShift, int saturation, int value)
{
    const int hue = face.hsvHue();
    if (hue < 0 || face.hsvSaturation() < 24) {
        return QColor::fromHsv(220, saturation / 2, value);
    }
    return QColor::fromHsv((hue + hueShift) % 360, std::max(face.hsvSaturation(), saturation),
                           value);
}

// Soft: bevel shades close to the face, text and accent in the face's hue.
GumbPalette softPalette(const QColor& back)
{
    GumbPalette p;
    p.face = back;
    p.light = GumbPalette::blend(back, kWhite, 80);
    p.highlight = GumbPalette::blend(back, kWhite, 160);
    p.shadow = GumbPalette::blend(back, kBlack, 80);
    p.darkShadow = GumbPalette::blend(back, kBlack, 150);
    p.text = GumbPalette::blend(back, isDark(back) ? kWhite : kBlack, 220);
    p.accent = accentOf(back, 0, 150, isDark(back) ? 230 : 150);
    p.lightAccent = GumbPalette::blend(p.accent, kWhite, kLightAccentWeight);
    return p;
}

// Contrast: pure extremes for the outer bevel and text, an accent of the opposite hue.
GumbPalette contrastPalette(const QColor& back)
{
    GumbPalette p;
    p.face = back;
    p.light = GumbPalette::blend(back, kWhite, 128);
    p.highlight = kWhite;
    p.shadow = GumbPalette::blend(back, kBlack, 140);
    p.darkShadow = kBlack;
    p.text = isDark(back) ? kWhite : kBlack;
    p.accent = accentOf(back, 180, 210, isDark(back) ? 255 : 170);
    p.lightAccent = GumbPalette::blend(p.accent, kWhite, kLightAccentWeight);
    return p;
}

} // namespace

GumbPalette GumbPalette::forScheme(int scheme, const QColor& backColor, const QPalette& system)
{
    switch (std::clamp(scheme, kSystem, kContrast)) {
    case kSoft:
        return softPalette(backColor);
    case kClassic:
        return classicPalette();
    case kContrast:
        return contrastPalette(backColor);
    default:
        return systemPalette(system);
    }
}

QColor GumbPalette::blend(const QColor& from, const QColor& to, int weight)
{
    const int w = std::clamp(weight, 0, 255);
    const auto mix = [w](int a, int b) {
        return (a * (255 - w) + b * w + 127) / 255;
    };
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

int GumbPalette::brightness(const QColor& color)
{
    const QColor c = color.toRgb();
    return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

QColor GumbPalette::readableOn(const QColor& text, const QColor& fill)
{
    const int back = brightness(fill);
    const int fore = brightness(text);
    if (std::abs(fore - back) >= kMinimumContrast) {
        return text;
    }
    const bool lightFill = back >= 128;
    const QColor& extreme = lightFill ? kBlack : kWhite;
    if ((fore < back) != lightFill) {
        return extreme; // light text on a light face or dark on dark: no shade of it will do
    }
    // Already on the right side: moved further only as far as needed, keeping its hue.
    for (int weight = 32; weight < 255; weight += 32) {
        const QColor candidate = blend(text, extreme, weight);
        if (std::abs(brightness(candidate) - back) >= kMinimumContrast) {
            return candidate;
        }
    }
    return extreme;
}

} // namespace listrion::controls
