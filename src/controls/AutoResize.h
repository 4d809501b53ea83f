#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include <vector>

class QWidget;

namespace listrion::controls {

// What a window carries once to rescale its contents: the window's layouts keep the geometry,
// this keeps the minimum window size, the optional height-to-width ratio and the fonts of the
// window's controls, scaled from the sizes they had when the window was first shown by the
// smaller of the two factors of the window's size. A control whose dynamic property "tag" is
// "NO" is left alone; controls created after the window was shown are not scaled.
class AutoResize : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool FontResizable READ fontResizable WRITE setFontResizable)
    Q_PROPERTY(bool KeepAspectRatio READ keepAspectRatio WRITE setKeepAspectRatio)
    Q_PROPERTY(double AspectRatioValue READ aspectRatioValue WRITE setAspectRatioValue)
    Q_PROPERTY(int HMin READ hMin WRITE setHMin)
    Q_PROPERTY(int WMin READ wMin WRITE setWMin)

public:
    // The minimums are in the design units of the windows: 15 to a pixel (twips at 96 dpi).
    static constexpr int kUnitsPerPixel = 15;

    explicit AutoResize(QWidget* window);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    bool fontResizable() const { return m_fontResizable; }
    void setFontResizable(bool on) { m_fontResizable = on; }
    bool keepAspectRatio() const { return m_keepAspectRatio; }
    void setKeepAspectRatio(bool on) { m_keepAspectRatio = on; }
    // Height to width; 0 switches the ratio off.
    double aspectRatioValue() const { return m_aspectRatio; }
    void setAspectRatioValue(double ratio) { m_aspectRatio = ratio; }
    int hMin() const { return m_hMin; }
    void setHMin(int units);
    int wMin() const { return m_wMin; }
    void setWMin(int units);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Record {
        QPointer<QWidget> control;
        double pointSize; // the font size at load; below 0 for a font sized in pixels
        int pixelSize;
    };

    void record();
    void resized();
    void applyMinimum();

    QWidget* m_window;
    bool m_enabled = true;
    bool m_fontResizable = true;
    bool m_keepAspectRatio = false;
    double m_aspectRatio = 0;
    int m_hMin = 3000;
    int m_wMin = 4800;
    bool m_recorded = false;
    bool m_busy = false;
    QSize m_loadSize;
    QSize m_layoutMinimum;
    std::vector<Record> m_records;
};

} // namespace listrion::controls
