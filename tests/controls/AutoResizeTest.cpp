#include "controls/AutoResize.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace listrion::controls {
namespace {

QLabel* label(QWidget* window, double points)
{
    auto* control = new QLabel("text", window);
    QFont font = control->font();
    font.setPointSizeF(points);
    control->setFont(font);
    return control;
}

TEST(AutoResizeTest, KeepsMinimumRatioAndScalesFontsBySmallerFactor)
{
    QWidget window;
    window.resize(600, 400);
    QLabel* scaled = label(&window, 10);
    QLabel* left = label(&window, 10);
    left->setProperty("tag", "NO");
    auto* resize = new AutoResize(&window);
    window.show();
    const auto resizeTo = [&window](int width, int height) {
        window.resize(width, height);
        QApplication::processEvents();
    };

    resizeTo(1200, 400);
    EXPECT_DOUBLE_EQ(scaled->font().pointSizeF(), 10);
    resizeTo(1200, 800);
    EXPECT_DOUBLE_EQ(scaled->font().pointSizeF(), 20);
    EXPECT_DOUBLE_EQ(left->font().pointSizeF(), 10);

    // Below 4800 x 3000 units the window snaps back to them (15 units to a pixel).
    resizeTo(100, 50);
    EXPECT_EQ(window.size(), QSize(320, 200));
    EXPECT_DOUBLE_EQ(scaled->font().pointSizeF(), 5);

    resize->setEnabled(false);
    resizeTo(600, 400);
    EXPECT_DOUBLE_EQ(scaled->font().pointSizeF(), 5);

    resize->setEnabled(true);
    resize->setKeepAspectRatio(true);
    resize->setAspectRatioValue(0.75);
    resizeTo(8000 / AutoResize::kUnitsPerPixel, 300);
    EXPECT_EQ(window.height(), 6000 / AutoResize::kUnitsPerPixel);
}

} // namespace
} // namespace listrion::controls
