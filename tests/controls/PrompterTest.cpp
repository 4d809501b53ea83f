#include "controls/Prompter.h"
#include "controls/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

// Save dialogs add the default extension only to a file name that has none.
TEST(Prompter, SavedNamesWithoutAnExtensionGetTheDefaultOne)
{
    using listrion::controls::withDefaultExtension;
    EXPECT_EQ(withDefaultExtension("/home/u/tv/out", "m3u"), "/home/u/tv/out.m3u");
    EXPECT_EQ(withDefaultExtension("/home/u/tv.v2/out", "m3u"), "/home/u/tv.v2/out.m3u");
    EXPECT_EQ(withDefaultExtension("/home/u/out.m3u8", "m3u"), "/home/u/out.m3u8");
    EXPECT_EQ(withDefaultExtension("/home/u/out.txt", "m3u"), "/home/u/out.txt");
    EXPECT_EQ(withDefaultExtension("/home/u/out.", "m3u"), "/home/u/out.");
    EXPECT_EQ(withDefaultExtension("/home/u/out", ""), "/home/u/out");
}

// A question's buttons carry the language's captions; one without a caption keeps Qt's own.
TEST(QtPrompter, BoxButtonsTakeTheGivenCaptions)
{
    listrion::controls::QtPrompter prompter;
    prompter.setButtonTexts({"Ja", {}, "Gut"});
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window);
                box != nullptr && box->isVisible()) {
                for (const QAbstractButton* button : box->buttons()) {
                    seen << button->text();
                }
                box->button(QMessageBox::Yes)->click();
            }
        }
    });
    EXPECT_TRUE(prompter.question("Replace the file?"));
    seen.sort();
    EXPECT_EQ(seen, QStringList({"&No", "Ja"}));
}
