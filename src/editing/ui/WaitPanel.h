#pragma once

#include "playlist/Progress.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QTimer>

class QLabel;

namespace listrion::editing {

// The main window's wait panel Picture1: the activity text Label1 (blinking while the panel is
// shown), the running count LabelStevec and the elapsed time lblTime.
class WaitPanel : public QFrame {
    Q_OBJECT

public:
    explicit WaitPanel(QWidget* parent = nullptr);

    // Shows the panel with an activity text and starts the clock at 00:00:00.
    void start(const QString& text);
    void setText(const QString& text);
    void setCount(std::int64_t count);
    // Hides the panel and stops its timers.
    void finish();

    QString text() const;

private:
    void tick();

    QLabel* m_text;
    QLabel* m_count;
    QLabel* m_time;
    QTimer m_blink;
    QTimer m_clock;
    QElapsedTimer m_elapsed;
};

// Shows a run's progress on the wait panel and keeps the window responsive: the counter shows
// the channels read or written, and the event loop runs between calls. There is no Cancel on
// the wait panel.
class WaitPanelObserver : public playlist::ProgressObserver {
public:
    explicit WaitPanelObserver(WaitPanel& panel) : m_panel(panel) {}
    void progress(const playlist::Progress& progress) override;
    bool cancelRequested() override;

private:
    WaitPanel& m_panel;
};

} // namespace listrion::editing
