#include "editing/ui/BoxHighlight.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>

namespace listrion::editing::ui {

BoxHighlight::BoxHighlight(QList<QLineEdit*> boxes, QObject* parent)
    : QObject(parent), m_boxes(std::move(boxes))
{
    for (QLineEdit* box : m_boxes) {
        box->installEventFilter(this);
    }
}

void BoxHighlight::Pobarvaj(QLineEdit* box)
{
    for (QLineEdit* other : m_boxes) {
        other->setPalette(QPalette());
    }
    QPalette yellow = box->palette();
    yellow.setColor(QPalette::Base, QColor(255, 255, 0));
    box->setPalette(yellow);
}

bool BoxHighlight::eventFilter(QObject* watched, QEvent* event)
{
    // A click, or the keyboard bringing the focus in.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && m_boxes.contains(box)) {
            Pobarvaj(box);
            emit entered(box);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace listrion::editing::ui
