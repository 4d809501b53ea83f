#include "controls/AutoResize.h"

#include <QEvent>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace listrion::controls {

AutoResize::AutoResize(QWidget* window) : QObject(window), m_window(window)
{
    setObjectName("Resize");
    window->installEventFilter(this);
}

void AutoResize::setHMin(int units)
{
    m_hMin = units;
    applyMinimum();
}

void AutoResize::setWMin(int units)
{
    m_wMin = units;
    applyMinimum();
}

void AutoResize::applyMinimum()
{
    if (!m_recorded) {
        return;
    }
    // Never below what the window's layout needs at its first size either.
    const QSize units(m_wMin / kUnitsPerPixel, m_hMin / kUnitsPerPixel);
    m_window->setMinimumSize(units.expandedTo(m_layoutMinimum));
}

bool AutoResize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_recorded) {
            record();
        } else if (event->type() == QEvent::Resize && m_recorded) {
            resized();
        }
    }
    return false;
}

void AutoResize::record()
{
    m_recorded = true;
    m_loadSize = m_window->size();
    m_layoutMinimum = m_window->minimumSizeHint().expandedTo(QSize(0, 0));
    for (QWidget* control : m_window->findChildren<QWidget*>()) {
        // A status bar keeps its place at the edge and its font.
        if (qobject_cast<QStatusBar*>(control) != nullptr ||
            control->property("tag").toString() == "NO") {
            continue;
        }
        const QFont font = control->font();
        m_records.push_back({control, font.pointSizeF(), font.pixelSize()});
    }
    // A control left alone keeps its font when the controls around it change theirs.
    for (QWidget* control : m_window->findChildren<QWidget*>()) {
        if (control->property("tag").toString() == "NO") {
            QFont own = control->font();
            if (own.pointSizeF() > 0) {
                own.setPointSizeF(own.pointSizeF());
            } else {
                own.setPixelSize(own.pixelSize());
            }
            control->setFont(own);
        }
    }
    applyMinimum();
}

void AutoResize::resized()
{
    if (!m_enabled || m_window->isMinimized() || m_busy) {
        return;
    }
    if (m_keepAspectRatio && m_aspectRatio != 0 && !m_window->isMaximized()) {
        m_busy = true;
        m_window->resize(m_window->width(),
                         static_cast<int>(std::lround(m_window->width() * m_aspectRatio)));
        m_busy = false;
    }
    if (!m_fontResizable || m_loadSize.isEmpty()) {
        return;
    }
    const double factor = std::min(static_cast<double>(m_window->width()) / m_loadSize.width(),
                                   static_cast<double>(m_window->height()) / m_loadSize.height());
    m_busy = true;
    for (const Record& r : m_records) {
        if (r.control.isNull()) {
            continue;
        }
        QFont font = r.control->font();
        if (r.pointSize > 0) {
            font.setPointSizeF(std::max(1.0, r.pointSize * factor));
        } else {
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(r.pixelSize * factor))));
        }
        r.control->setFont(font);
    }
    m_busy = false;
}

} // namespace listrion::controls
