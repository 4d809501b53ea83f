#include "controls/GumbScene.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <array>

namespace listrion::controls {
namespace {

using test::lookOf;
using test::reportMove;

// A hidden button of the usual size: grabbing draws it without any window around.
std::unique_ptr<Gumb> makeButton(int style, int scheme, const QString& caption = "&Apply")
{
    auto b = std::make_unique<Gumb>(caption);
    b->setFixedSize(110, 30);
    b->setColorScheme(scheme);
    b->setButtonType(style);
    return b;
}

// Normal, hover, pressed and disabled, in this order.
std::array<QImage, 4> fourLooks(Gumb& b)
{
    std::array<QImage, 4> looks;
    looks[0] = lookOf(b);
    reportMove(b, QPoint(5, 5));
    looks[1] = lookOf(b);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    looks[2] = lookOf(b);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    b.setEnabled(false);
    looks[3] = lookOf(b);
    b.setEnabled(true);
    return looks;
}

TEST(GumbLooks, NormalHoverPressedAndDisabledDifferInEveryStyle)
{
    const char* names[] = {"normal", "hover", "pressed", "disabled"};
    for (const int scheme : {1, 2, 3, 4}) {
        for (int style = kFirstGumbStyle; style <= kLastGumbStyle; ++style) {
            const auto b = makeButton(style, scheme);
            const auto looks = fourLooks(*b);
            for (int i = 0; i < 4; ++i) {
                for (int j = i + 1; j < 4; ++j) {
                    EXPECT_TRUE(looks[i] != looks[j]) << "scheme " << scheme << " style " << style
                                                      << ": " << names[i] << " = " << names[j];
                }
            }
        }
    }
    // Out-of-range numbers fall back to the nearest style.
    EXPECT_EQ(makeButton(0, 1)->buttonType(), kFirstGumbStyle);
    EXPECT_EQ(makeButton(99, 1)->buttonType(), kLastGumbStyle);
}

TEST(GumbColors, DerivedSchemesFollowBackColorSchemeOneTheSystemAndExplicitColoursStay)
{
    for (int style = kFirstGumbStyle; style <= kLastGumbStyle; ++style) {
        for (const int scheme : {2, 4}) {
            const auto b = makeButton(style, scheme);
            b->setBackColor(QColor(70, 120, 200));
            const GumbPalette blue = b->schemeColors();
            b->setBackColor(QColor(200, 180, 90));
            EXPECT_NE(b->schemeColors().shadow, blue.shadow) << scheme << "/" << style;
            EXPECT_NE(b->schemeColors().accent, blue.accent) << scheme << "/" << style;
        }
    }
    QPalette green;
    green.setColor(QPalette::Button, QColor(40, 160, 60));
    for (const int scheme : {1, 3}) {
        const auto b = makeButton(static_cast<int>(GumbStyle::Classic), scheme);
        b->setPalette(green);
        EXPECT_EQ(b->backColor() == QColor(40, 160, 60), scheme == 1) << "scheme " << scheme;
    }

    const auto b = makeButton(static_cast<int>(GumbStyle::Flat), 1);
    const QColor schemeText = b->foreColor();
    EXPECT_EQ(b->backOver(), b->backColor()); // the face serves both looks by default
    b->setBackOver(QColor(250, 220, 120));
    b->setForeColor(QColor(0, 90, 0));
    QPalette system(QColor(90, 90, 140));
    system.setColor(QPalette::ButtonText, QColor(220, 220, 255));
    b->setPalette(system);
    EXPECT_EQ(b->foreColor(), QColor(0, 90, 0));
    EXPECT_EQ(b->backOver(), QColor(250, 220, 120));
    EXPECT_EQ(b->backColor(), QColor(90, 90, 140)); // not set, so it follows the system
    b->setColorScheme(1);
    EXPECT_EQ(b->backOver(), b->backColor());
    EXPECT_EQ(b->foreColor(), QColor(220, 220, 255));
    EXPECT_NE(b->foreColor(), schemeText);
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(GumbRefresh, DisableRefreshHoldsRedrawsUntilRefresh)
{
    test::GumbScene scene;
    ASSERT_TRUE(scene.isActive());
    Gumb& b = scene.button();
    PaintCounter counter;
    b.installEventFilter(&counter);
    b.setButtonType(GumbStyle::Etched);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);

    b.DisableRefresh();
    counter.paints = 0;
    b.setButtonType(GumbStyle::Mac);
    b.setBackColor(QColor(10, 20, 30));
    b.setSoftBevel(true);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    b.Refresh();
    EXPECT_EQ(counter.paints, 1);
    b.setButtonType(GumbStyle::Glass); // redrawing again after Refresh
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);
}

TEST(GumbProperties, DesignNameFontAndPointers)
{
    QWidget window;
    Gumb b(&window);
    b.setObjectName(QStringLiteral("cmdSave"));
    EXPECT_EQ(b.property("Caption").toString(), QStringLiteral("cmdSave"));

    EXPECT_TRUE(b.setProperty("FontBold", true));
    EXPECT_TRUE(b.font().bold());
    b.setProperty("FontSize", 14.0);
    EXPECT_EQ(b.font().pointSizeF(), 14.0);

    b.setProperty("MousePointer", 11);
    EXPECT_EQ(b.cursor().shape(), Qt::WaitCursor);
    b.setProperty("HandPointer", true);
    EXPECT_EQ(b.cursor().shape(), Qt::PointingHandCursor);
    b.setProperty("HandPointer", false);
    b.setProperty("MousePointer", 99);
    EXPECT_FALSE(b.testAttribute(Qt::WA_SetCursor)); // custom without an icon: default
    QPixmap icon(12, 12);
    icon.fill(Qt::red);
    b.setProperty("MouseIcon", icon);
    EXPECT_EQ(b.cursor().shape(), Qt::BitmapCursor);
    b.setProperty("MousePointer", 0);
    EXPECT_FALSE(b.testAttribute(Qt::WA_SetCursor));
}

} // namespace
} // namespace listrion::controls
