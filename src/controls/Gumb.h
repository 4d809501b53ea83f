#pragma once

#include "controls/GumbColors.h"
#include "controls/GumbLook.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QTimer>

#include <functional>

namespace listrion::controls {

// The program's push button. A QAbstractButton drawn in one of 14 styles with hover, pressed
// and disabled looks, an optional picture beside the caption and check-box behaviour.
// Only the left button and Space click; the arrow keys move the focus between controls.
class Gumb : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(int ButtonType READ buttonType WRITE setButtonType)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName STORED false)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize STORED false)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold STORED false)
    Q_PROPERTY(bool FontItalic READ fontItalic WRITE setFontItalic STORED false)
    Q_PROPERTY(bool FontUnderline READ fontUnderline WRITE setFontUnderline STORED false)
    Q_PROPERTY(int ColorScheme READ colorScheme WRITE setColorScheme)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor BackOver READ backOver WRITE setBackOver)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor ForeOver READ foreOver WRITE setForeOver)
    Q_PROPERTY(QColor MaskColor READ maskColor WRITE setMaskColor)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QPixmap PictureNormal READ pictureNormal WRITE setPictureNormal)
    Q_PROPERTY(QPixmap PictureOver READ pictureOver WRITE setPictureOver)
    Q_PROPERTY(bool UseMaskColor READ useMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(bool SoftBevel READ softBevel WRITE setSoftBevel)
    Q_PROPERTY(int PicturePosition READ picturePosition WRITE setPicturePosition)
    Q_PROPERTY(bool UseGreyscale READ useGreyscale WRITE setUseGreyscale)
    Q_PROPERTY(int SpecialEffect READ specialEffect WRITE setSpecialEffect)
    Q_PROPERTY(bool HandPointer READ handPointer WRITE setHandPointer)
    Q_PROPERTY(bool CheckBoxBehaviour READ isCheckable WRITE setCheckable)
    Q_PROPERTY(bool value READ isChecked WRITE setChecked)
    Q_PROPERTY(qulonglong hwnd READ hwnd STORED false)
    Q_PROPERTY(QString Version READ version STORED false)

public:
    static constexpr int kOverTimerInterval = 50; // ms between checks that the pointer left

    explicit Gumb(QWidget* parent = nullptr);
    explicit Gumb(const QString& caption, QWidget* parent = nullptr);

    int buttonType() const { return m_buttonType; }
    void setButtonType(int type);
    void setButtonType(GumbStyle style) { setButtonType(static_cast<int>(style)); }

    QString fontName() const { return font().family(); }
    void setFontName(const QString& family);
    double fontSize() const { return font().pointSizeF(); }
    void setFontSize(double points);
    bool fontBold() const { return font().bold(); }
    void setFontBold(bool on);
    bool fontItalic() const { return font().italic(); }
    void setFontItalic(bool on);
    bool fontUnderline() const { return font().underline(); }
    void setFontUnderline(bool on);

    // 1 system colours, 2 soft and 4 contrast derived from BackColor, 3 classic grey.
    // Setting it gives BackOver, ForeColor and ForeOver (and, under 1 and 3, BackColor)
    // the scheme's colours again.
    int colorScheme() const { return m_colors.scheme(); }
    void setColorScheme(int scheme);
    bool showFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    QColor backColor() const { return m_colors.backColor(); }
    void setBackColor(const QColor& color);
    QColor backOver() const { return m_colors.backOver(); }
    void setBackOver(const QColor& color);
    QColor foreColor() const { return m_colors.foreColor(); }
    void setForeColor(const QColor& color);
    QColor foreOver() const { return m_colors.foreOver(); }
    void setForeOver(const QColor& color);
    QColor maskColor() const { return m_maskColor; }
    void setMaskColor(const QColor& color);
    // The colours the button draws with now.
    const GumbPalette& schemeColors() const { return m_colors.palette(); }

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    bool handPointer() const { return m_handPointer; }
    void setHandPointer(bool on);

    QPixmap pictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const QPixmap& picture);
    QPixmap pictureOver() const { return m_pictureOver; }
    void setPictureOver(const QPixmap& picture);
    bool useMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    // Bevels and frames use the light and shadow shades instead of highlight and dark shadow.
    bool softBevel() const { return m_softBevel; }
    void setSoftBevel(bool on);
    int picturePosition() const { return m_picturePosition; }
    void setPicturePosition(int position);
    void setPicturePosition(PicturePosition position)
    {
        setPicturePosition(static_cast<int>(position));
    }
    bool useGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool on);
    int specialEffect() const { return m_specialEffect; }
    void setSpecialEffect(int effect);
    void setSpecialEffect(SpecialEffect effect) { setSpecialEffect(static_cast<int>(effect)); }

    qulonglong hwnd() const;
    QString version() const;

    // Which of the four looks the button shows now.
    GumbState visualState() const;
    bool isHovered() const { return m_hovered; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Redraws at once and ends a DisableRefresh.
    void Refresh();
    // Until Refresh, property changes are stored without redrawing (Qt still redraws a
    // changed caption or font at once).
    void DisableRefresh();

signals:
    // The pointer moved over the button (the button's own mouse-move event for its window).
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    // The pointer came onto the button.
    void mouseEntered();
    // A key was released while the button had the focus.
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setHovered(bool on);
    void checkPointerLeft();
    void updateCursor();
    void redraw(bool geometryChanged = false);
    template <typename T> void assign(T& member, const T& value, bool geometryChanged = false);
    void changeFont(const std::function<void(QFont&)>& change);
    GumbLook currentLook() const;
    QPixmap currentPicture(GumbState state) const;

    int m_buttonType = static_cast<int>(GumbStyle::Standard);
    bool m_showFocusRect = true;
    GumbColors m_colors;
    QColor m_maskColor{192, 192, 192};
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    bool m_handPointer = false;
    QPixmap m_pictureNormal;
    QPixmap m_pictureOver;
    bool m_useMaskColor = true;
    bool m_softBevel = false;
    int m_picturePosition = 0;
    bool m_useGreyscale = false;
    int m_specialEffect = 0;

    bool m_hovered = false;
    bool m_middleDown = false;
    bool m_spaceDown = false;
    Qt::MouseButton m_lastPressed = Qt::NoButton;
    bool m_refreshSuspended = false;
    QTimer m_overTimer;
};

} // namespace listrion::controls
