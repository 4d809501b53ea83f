#pragma once

#include "controls/Gumb.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace listrion::controls::test {

// A shown, active window holding `count` Gumbs in a row, for tests that need focus,
// shortcuts and the real pointer.
class GumbScene {
public:
    explicit GumbScene(int count = 1)
    {
        auto* layout = new QHBoxLayout(&m_window);
        for (int i = 0; i < count; ++i) {
            auto* button = new Gumb(QStringLiteral("Button %1").arg(i + 1), &m_window);
            button->setFixedSize(110, 30);
            layout->addWidget(button);
            m_buttons.push_back(button);
        }
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        m_active = QTest::qWaitForWindowActive(&m_window);
        parkPointer();
    }

    // Puts the pointer well away from the window.
    void parkPointer()
    {
        QCursor::setPos(m_window.frameGeometry().bottomRight() + QPoint(60, 60));
        QApplication::processEvents();
    }

    bool isActive() const { return m_active; }
    QWidget& window() { return m_window; }
    Gumb& button(int index = 0) { return *m_buttons.at(static_cast<size_t>(index)); }

private:
    QWidget m_window;
    std::vector<Gumb*> m_buttons;
    bool m_active = false;
};

// What the button shows now.
inline QImage lookOf(Gumb& button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A pointer move reported at `pos` without moving the real pointer: as when the pointer
// crossed the button faster than the next move event.
inline void reportMove(Gumb& button, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, button.mapToGlobal(pos), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
}

} // namespace listrion::controls::test
