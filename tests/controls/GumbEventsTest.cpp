#include "controls/GumbScene.h"

#include <QCursor>
#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace listrion::controls {
namespace {

using test::GumbScene;
using test::reportMove;

void sendAutoRepeat(Gumb& button, QEvent::Type type)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(&button, &event);
}

TEST(GumbMouse, OnlyTheLeftButtonClicks)
{
    GumbScene scene(2);
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button();
    scene.button(1).setFocus();
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    const QPoint centre = b.rect().center();
    QTest::mouseMove(&b, centre);
    ASSERT_EQ(b.visualState(), GumbState::Hover);

    // Right button: nothing at all, not even the focus.
    QTest::mousePress(&b, Qt::RightButton, {}, centre);
    EXPECT_EQ(b.visualState(), GumbState::Hover);
    QTest::mouseRelease(&b, Qt::RightButton, {}, centre);
    EXPECT_FALSE(b.hasFocus());
    EXPECT_EQ(clicked.count(), 0);

    // Middle button: pressed look while held, back to hover, no click.
    QTest::mousePress(&b, Qt::MiddleButton, {}, centre);
    EXPECT_EQ(b.visualState(), GumbState::Pressed);
    QTest::mouseRelease(&b, Qt::MiddleButton, {}, centre);
    EXPECT_EQ(b.visualState(), GumbState::Hover);
    EXPECT_EQ(clicked.count(), 0);

    // A middle press while the left is held: the left release no longer clicks.
    QTest::mousePress(&b, Qt::LeftButton, {}, centre);
    QTest::mousePress(&b, Qt::MiddleButton, {}, centre);
    QTest::mouseRelease(&b, Qt::MiddleButton, {}, centre);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_NE(b.visualState(), GumbState::Pressed);

    // The left button clicks once and takes the focus.
    QTest::mouseClick(&b, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_TRUE(b.hasFocus());

    // Released outside the button: no click.
    QTest::mousePress(&b, Qt::LeftButton, {}, centre);
    QTest::mouseMove(&b, QPoint(-20, -20));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(GumbKeyboard, SpaceShowsPressedWhileHeldAndClicksOnceOnRelease)
{
    GumbScene scene;
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button();
    b.setFocus();
    ASSERT_TRUE(b.hasFocus());
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QSignalSpy released(&b, &Gumb::keyReleased);

    QTest::keyPress(&b, Qt::Key_Space);
    EXPECT_EQ(b.visualState(), GumbState::Pressed);
    for (int i = 0; i < 5; ++i) { // the keyboard repeats while the key is held
        sendAutoRepeat(b, QEvent::KeyRelease);
        sendAutoRepeat(b, QEvent::KeyPress);
    }
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(b.visualState(), GumbState::Pressed);

    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(b.visualState(), GumbState::Normal);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), static_cast<int>(Qt::Key_Space));

    // A release without its press (the press went to another control) does not click; other
    // keys do nothing to the button but are passed on.
    QTest::keyRelease(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(released.count(), 3);
}

TEST(GumbKeyboard, ArrowsMoveTheFocusInsteadOfActing)
{
    GumbScene scene(3);
    ASSERT_TRUE(scene.isActive());
    QSignalSpy clicks(&scene.button(1), &QAbstractButton::clicked);
    scene.button(0).setFocus();
    ASSERT_TRUE(scene.button(0).hasFocus());
    // Each key and the button that has the focus after it; the last Up goes, as Shift+Tab, from
    // the first control to the last.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Down, 2}, {Qt::Key_Left, 1}, {Qt::Key_Up, 0}, {Qt::Key_Up, 2}};
    for (const auto& [key, next] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(scene.button(next).hasFocus()) << key;
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST(GumbKeyboard, AccessKeyOfTheCaptionClicks)
{
    GumbScene scene(2);
    ASSERT_TRUE(scene.isActive());
    Gumb& save = scene.button(0);
    save.setText(QStringLiteral("&Save"));
    scene.button(1).setText(QStringLiteral("E&xit"));
    QSignalSpy saved(&save, &QAbstractButton::clicked);
    QSignalSpy exited(&scene.button(1), &QAbstractButton::clicked);

    QTest::keyClick(&scene.window(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return saved.count() == 1; }, 2000));
    EXPECT_EQ(exited.count(), 0);
    QTest::keyClick(&scene.window(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return exited.count() == 1; }, 2000));
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(save.property("Caption").toString(), QStringLiteral("&Save"));
}

TEST(GumbState, DisabledNeverClicks)
{
    GumbScene scene(2);
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button(0);
    b.setText(QStringLiteral("&Go"));
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    b.setProperty("Enabled", false);
    EXPECT_FALSE(b.isEnabled());
    EXPECT_EQ(b.visualState(), GumbState::Disabled);

    QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::keyRelease(&b, Qt::Key_Space);
    QTest::keyClick(&scene.window(), Qt::Key_G, Qt::AltModifier);
    b.click();
    QTest::qWait(250); // longer than the delayed click of an access key
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(b.visualState(), GumbState::Disabled);

    b.setEnabled(true);
    QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
    EXPECT_EQ(clicked.count(), 1);
}

TEST(GumbState, CheckBoxBehaviourTogglesValueOnEveryClick)
{
    GumbScene scene;
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button();
    const QPoint centre = b.rect().center();
    QTest::mouseClick(&b, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(b.property("value").toBool()); // a plain button has no ticked state

    b.setProperty("CheckBoxBehaviour", true);
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QTest::mouseClick(&b, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(b.property("value").toBool());
    QTest::mouseClick(&b, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(b.isChecked());
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_TRUE(b.isChecked());
    // Middle and right buttons never toggle.
    QTest::mouseClick(&b, Qt::MiddleButton, {}, centre);
    QTest::mouseClick(&b, Qt::RightButton, {}, centre);
    EXPECT_TRUE(b.isChecked());
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_TRUE(clicked.at(2).at(0).toBool()); // clicked(checked) carries the new value
}

TEST(GumbHover, TimerReturnsToNormalWhenThePointerLeftUnreported)
{
    GumbScene scene;
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button();
    QSignalSpy entered(&b, &Gumb::mouseEntered);
    QSignalSpy moved(&b, &Gumb::mouseMoved);

    // With the pointer really over the button the hover look stays.
    QTest::mouseMove(&b, b.rect().center());
    EXPECT_EQ(entered.count(), 1);
    QTest::qWait(4 * Gumb::kOverTimerInterval);
    EXPECT_TRUE(b.isHovered());

    // The pointer is elsewhere, but the last move event still reported it on the button:
    // no leave event will come, only the timer can notice.
    scene.parkPointer();
    ASSERT_FALSE(b.isHovered());
    reportMove(b, QPoint(3, 3));
    EXPECT_EQ(entered.count(), 2);
    EXPECT_GE(moved.count(), 2);
    EXPECT_TRUE(b.isHovered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !b.isHovered(); }, 1000));
    EXPECT_EQ(b.visualState(), GumbState::Normal);

    // A move with the middle button held does not enter.
    reportMove(b, QPoint(3, 3), Qt::MiddleButton);
    EXPECT_FALSE(b.isHovered());
}

} // namespace
} // namespace listrion::controls
