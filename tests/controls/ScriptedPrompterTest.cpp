#include "support/ScriptedPrompter.h"
#include "controls/Prompter.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using listrion::test::ScriptedPrompter;

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

TEST(ScriptedPrompter, FailsOnUnexpectedWrongOrUnusedAnswers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter p;
            EXPECT_FALSE(p.question("Unasked?"));
        },
        "unexpected question");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter p;
            p.answer(true);
            p.message("Hello");
            p.verify();
        },
        "expected a question");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter p;
            p.chooseSaveFile(QString("/tmp/x.m3u"));
        },
        "did not ask for the scripted save-file dialog");
}
