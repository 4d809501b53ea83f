#include "support/DialogScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace listrion::test {

DialogScript::DialogScript()
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
}

DialogScript::~DialogScript()
{
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " dialog step(s) never ran";
}

DialogScript& DialogScript::then(Step step)
{
    m_steps.push_back(std::move(step));
    m_timer.start();
    return *this;
}

void DialogScript::poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (m_steps.empty() || dialog == nullptr || !dialog->isVisible()) {
        return;
    }
    // The step may open a nested dialog; the timer must not re-enter meanwhile.
    m_timer.stop();
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step(*dialog);
    if (!m_steps.empty()) {
        m_timer.start();
    }
}

void DialogScript::click(QDialog& dialog, const char* button)
{
    auto* found = dialog.findChild<QAbstractButton*>(button);
    ASSERT_NE(found, nullptr) << button;
    QTest::mouseClick(found, Qt::LeftButton);
}

} // namespace listrion::test
