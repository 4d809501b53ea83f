#pragma once

#include <QDialog>
#include <QTimer>

#include <deque>
#include <functional>

namespace listrion::test {

// Plays the user's part in modal dialogs a window opens with exec(): each queued step runs on
// the next dialog that becomes the active modal window, after it is shown. A step that does not
// close its dialog leaves it open for the next step. A step left unused when the script is
// destroyed fails the running test.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;

    DialogScript();
    ~DialogScript();

    DialogScript& then(Step step);
    // The test clicks a button of the dialog by its object name.
    static void click(QDialog& dialog, const char* button);

private:
    void poll();

    std::deque<Step> m_steps;
    QTimer m_timer;
};

} // namespace listrion::test
