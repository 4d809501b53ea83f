#pragma once

#include <QList>
#include <QObject>

class QLineEdit;

namespace listrion::editing::ui {

// Pobarvaj: the box the user clicks into turns yellow and every other box of the dialog goes
// back to the window colour, so the box being typed into is easy to find.
class BoxHighlight : public QObject {
    Q_OBJECT

public:
    BoxHighlight(QList<QLineEdit*> boxes, QObject* parent);

    void Pobarvaj(QLineEdit* box);

signals:
    // A box was clicked into (or reached with the keyboard), after it was painted.
    void entered(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> m_boxes;
};

} // namespace listrion::editing::ui
