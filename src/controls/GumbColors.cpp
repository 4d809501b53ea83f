#include "controls/GumbColors.h"

#include <algorithm>

namespace listrion::controls {

GumbColors::GumbColors(const QPalette& system)
{
    apply(system);
}

bool GumbColors::isDerived() const
{
    return m_scheme == GumbPalette::kSoft || m_scheme == GumbPalette::kContrast;
}

void GumbColors::apply(const QPalette& system)
{
    const QColor base = m_backColor.isValid() ? m_backColor : system.color(QPalette::Button);
    m_palette = GumbPalette::forScheme(m_scheme, base, system);
    if (!isDerived() && !(m_explicit & kBackColorSet)) {
        m_backColor = m_palette.face;
    }
    if (!(m_explicit & kBackOverSet)) {
        m_backOver = m_palette.face;
    }
    if (!(m_explicit & kForeColorSet)) {
        m_foreColor = m_palette.text;
    }
    if (!(m_explicit & kForeOverSet)) {
        m_foreOver = m_palette.text;
    }
}

void GumbColors::setScheme(int scheme, const QPalette& system)
{
    m_scheme = std::clamp(scheme, GumbPalette::kSystem, GumbPalette::kContrast);
    m_explicit = 0;
    apply(system);
}

void GumbColors::systemPaletteChanged(const QPalette& system)
{
    if (m_scheme == GumbPalette::kSystem) {
        apply(system);
    }
}

void GumbColors::setBackColor(const QColor& color, const QPalette& system)
{
    m_explicit |= kBackColorSet;
    m_backColor = color;
    if (isDerived()) {
        apply(system);
    }
}

void GumbColors::setBackOver(const QColor& color)
{
    m_explicit |= kBackOverSet;
    m_backOver = color;
}

void GumbColors::setForeColor(const QColor& color)
{
    m_explicit |= kForeColorSet;
    m_foreColor = color;
}

void GumbColors::setForeOver(const QColor& color)
{
    m_explicit |= kForeOverSet;
    m_foreOver = color;
}

} // namespace listrion::controls
