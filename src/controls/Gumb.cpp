#include "controls/Gumb.h"

#include "controls/GumbContentPainter.h"
#include "controls/GumbPicture.h"
#include "controls/GumbStylePainter.h"
#include "controls/MousePointer.h"
#include "listrion/Version.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <concepts>

namespace listrion::controls {
namespace {

bool isHot(GumbState state)
{
    return state == GumbState::Hover || state == GumbState::Pressed;
}

} // namespace

Gumb::Gumb(QWidget* parent) : QAbstractButton(parent), m_colors(palette())
{
    setMouseTracking(true);
    // Tab focus only: a click gives the focus in mousePressEvent, and only for the left
    // button, so that a right-button press leaves the button exactly as it was.
    setFocusPolicy(Qt::TabFocus);
    m_overTimer.setObjectName(QStringLiteral("OverTimer"));
    m_overTimer.setInterval(kOverTimerInterval);
    connect(&m_overTimer, &QTimer::timeout, this, &Gumb::checkPointerLeft);
    // A button without a caption shows its name, as a freshly placed control does.
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        if (text().isEmpty()) {
            setText(name);
        }
    });
}

Gumb::Gumb(const QString& caption, QWidget* parent) : Gumb(parent)
{
    setText(caption);
}

template <typename T> void Gumb::assign(T& member, const T& value, bool geometryChanged)
{
    if constexpr (std::equality_comparable<T>) {
        if (member == value) {
            return;
        }
    }
    member = value;
    redraw(geometryChanged);
}

void Gumb::redraw(bool geometryChanged)
{
    if (geometryChanged) {
        updateGeometry();
    }
    if (!m_refreshSuspended) {
        update();
    }
}

void Gumb::Refresh()
{
    m_refreshSuspended = false;
    repaint();
}

void Gumb::DisableRefresh()
{
    m_refreshSuspended = true;
}

// ---- properties ---------------------------------------------------------------------------

void Gumb::setButtonType(int type)
{
    assign(m_buttonType, std::clamp(type, kFirstGumbStyle, kLastGumbStyle));
}

void Gumb::changeFont(const std::function<void(QFont&)>& change)
{
    QFont changed = font();
    change(changed);
    setFont(changed);
}

void Gumb::setFontName(const QString& family)
{
    changeFont([&](QFont& f) { f.setFamily(family); });
}

void Gumb::setFontSize(double points)
{
    if (points > 0.0) {
        changeFont([&](QFont& f) { f.setPointSizeF(points); });
    }
}

void Gumb::setFontBold(bool on)
{
    changeFont([&](QFont& f) { f.setBold(on); });
}

void Gumb::setFontItalic(bool on)
{
    changeFont([&](QFont& f) { f.setItalic(on); });
}

void Gumb::setFontUnderline(bool on)
{
    changeFont([&](QFont& f) { f.setUnderline(on); });
}

void Gumb::setColorScheme(int scheme)
{
    m_colors.setScheme(scheme, palette());
    redraw();
}

void Gumb::setBackColor(const QColor& color)
{
    m_colors.setBackColor(color, palette());
    redraw();
}

void Gumb::setBackOver(const QColor& color)
{
    m_colors.setBackOver(color);
    redraw();
}

void Gumb::setForeColor(const QColor& color)
{
    m_colors.setForeColor(color);
    redraw();
}

void Gumb::setForeOver(const QColor& color)
{
    m_colors.setForeOver(color);
    redraw();
}

void Gumb::setMaskColor(const QColor& color)
{
    assign(m_maskColor, color);
}

void Gumb::setShowFocusRect(bool on)
{
    assign(m_showFocusRect, on);
}

void Gumb::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    updateCursor();
}

void Gumb::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    updateCursor();
}

void Gumb::setHandPointer(bool on)
{
    m_handPointer = on;
    updateCursor();
}

void Gumb::updateCursor()
{
    if (m_handPointer) {
        setCursor(Qt::PointingHandCursor);
    } else if (const auto shape = cursorFor(m_mousePointer, m_mouseIcon)) {
        setCursor(*shape);
    } else {
        unsetCursor();
    }
}

void Gumb::setPictureNormal(const QPixmap& picture)
{
    assign(m_pictureNormal, picture, true);
}

void Gumb::setPictureOver(const QPixmap& picture)
{
    assign(m_pictureOver, picture, true);
}

void Gumb::setUseMaskColor(bool on)
{
    assign(m_useMaskColor, on);
}

void Gumb::setSoftBevel(bool on)
{
    assign(m_softBevel, on);
}

void Gumb::setPicturePosition(int position)
{
    assign(m_picturePosition, std::clamp(position, 0, kLastPicturePosition), true);
}

void Gumb::setUseGreyscale(bool on)
{
    assign(m_useGreyscale, on);
}

void Gumb::setSpecialEffect(int effect)
{
    assign(m_specialEffect, std::clamp(effect, 0, kLastSpecialEffect));
}

qulonglong Gumb::hwnd() const
{
    return static_cast<qulonglong>(effectiveWinId());
}

QString Gumb::version() const
{
    return QString::fromLatin1(kVersionText);
}

// ---- looks --------------------------------------------------------------------------------

GumbState Gumb::visualState() const
{
    if (!isEnabled()) {
        return GumbState::Disabled;
    }
    if (isDown() || m_middleDown) {
        return GumbState::Pressed;
    }
    return m_hovered ? GumbState::Hover : GumbState::Normal;
}

QPixmap Gumb::currentPicture(GumbState state) const
{
    const bool hot = isHot(state);
    QPixmap picture = hot && !m_pictureOver.isNull() ? m_pictureOver : m_pictureNormal;
    if (picture.isNull()) {
        return picture;
    }
    if (m_useMaskColor) {
        picture = GumbPicture::masked(picture, m_maskColor);
    }
    if (state == GumbState::Disabled) {
        return GumbPicture::faded(picture, m_colors.backColor());
    }
    if (m_useGreyscale && !hot) {
        return GumbPicture::greyed(picture);
    }
    return picture;
}

GumbLook Gumb::currentLook() const
{
    GumbLook look;
    look.style = m_buttonType;
    look.state = visualState();
    look.checked = isCheckable() && isChecked();
    look.focusRect = m_showFocusRect && hasFocus();
    look.softBevel = m_softBevel;
    look.colors = m_colors.palette();
    const bool hot = isHot(look.state);
    look.colors.face = hot ? m_colors.backOver() : m_colors.backColor();
    look.colors.text = hot ? m_colors.foreOver() : m_colors.foreColor();
    if (look.checked && look.state != GumbState::Pressed) {
        // A ticked button shows a lighter, latched face.
        look.colors.face = GumbPalette::blend(look.colors.face, look.colors.highlight, 96);
    }
    look.caption = text();
    look.font = font();
    look.picture = currentPicture(look.state);
    look.picturePosition = m_picturePosition;
    look.specialEffect = m_specialEffect;
    return look;
}

void Gumb::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const GumbLook look = currentLook();
    const GumbFrame frame = GumbStylePainter::paint(p, rect(), look);
    GumbContentPainter::paint(p, frame, look);
}

QSize Gumb::sizeHint() const
{
    const QSize content = GumbContentPainter::contentSize(currentLook());
    const QFontMetrics metrics(font());
    return {std::max(content.width() + 2 * metrics.averageCharWidth() + 12, 75),
            std::max(content.height() + 12, 25)};
}

QSize Gumb::minimumSizeHint() const
{
    const QSize content = GumbContentPainter::contentSize(currentLook());
    return {content.width() + 8, content.height() + 8};
}

// ---- events -------------------------------------------------------------------------------

void Gumb::setHovered(bool on)
{
    if (on) {
        m_overTimer.start();
    } else {
        m_overTimer.stop();
    }
    if (m_hovered != on) {
        m_hovered = on;
        update();
    }
}

void Gumb::checkPointerLeft()
{
    // Catches the pointer leaving faster than a move or leave event reported it.
    if (!isVisible() || !rect().contains(mapFromGlobal(QCursor::pos()))) {
        setHovered(false);
    }
}

void Gumb::mousePressEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton:
        m_lastPressed = Qt::LeftButton;
        if (focusPolicy() & Qt::TabFocus) {
            setFocus(Qt::MouseFocusReason);
        }
        QAbstractButton::mousePressEvent(event);
        return;
    case Qt::MiddleButton:
        // Shows the pressed look but never clicks.
        m_lastPressed = Qt::MiddleButton;
        m_middleDown = true;
        update();
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

void Gumb::mouseReleaseEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton:
        if (m_lastPressed != Qt::LeftButton) {
            // Another button was pressed after the left one: released without a click.
            setDown(false);
            update();
            event->accept();
            return;
        }
        QAbstractButton::mouseReleaseEvent(event);
        return;
    case Qt::MiddleButton:
        m_middleDown = false;
        update();
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

void Gumb::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event); // with the left button held, "down" follows
    const QPoint position = event->position().toPoint();
    emit mouseMoved(event->buttons(), event->modifiers(), position);
    event->accept();
    const Qt::MouseButtons held = event->buttons();
    if (held != Qt::NoButton && held != Qt::LeftButton) {
        return;
    }
    const bool inside = rect().contains(position);
    if (inside && !m_hovered && isEnabled()) {
        setHovered(true);
        emit mouseEntered();
    } else if (!inside && m_hovered) {
        setHovered(false);
    }
}

void Gumb::leaveEvent(QEvent* event)
{
    setHovered(false);
    QAbstractButton::leaveEvent(event);
}

void Gumb::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            m_spaceDown = true;
            m_lastPressed = Qt::NoButton;
            setDown(true);
            update();
        }
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        event->accept();
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

void Gumb::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    emit keyReleased(event->key(), event->modifiers());
    if (event->key() == Qt::Key_Space && m_spaceDown) {
        m_spaceDown = false;
        setDown(false);
        click(); // toggles `value` with CheckBoxBehaviour, raises clicked; nothing if disabled
        update();
        event->accept();
        return;
    }
    event->ignore();
}

void Gumb::focusOutEvent(QFocusEvent* event)
{
    m_spaceDown = false;
    QAbstractButton::focusOutEvent(event);
    update();
}

void Gumb::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
        m_colors.systemPaletteChanged(palette());
        redraw();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            m_middleDown = false;
            m_spaceDown = false;
            setHovered(false);
        }
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(event);
}

} // namespace listrion::controls
