#include "support/ScriptedPrompter.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using listrion::test::ScriptedPrompter;

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryQuestion)
{
    ScriptedPrompter prompter;
    prompter.answer(true).type(QString("http://a")).chooseFile(std::nullopt).acknowledge();
    EXPECT_TRUE(prompter.question("Save?", "Naslov"));
    EXPECT_EQ(prompter.input("Paste"), QString("http://a"));
    EXPECT_EQ(prompter.openFile({"Select File", "*.m3u", "txt", {}}), std::nullopt);
    prompter.message("Done");
    ASSERT_EQ(prompter.asked().size(), 4u);
    EXPECT_EQ(prompter.asked()[0].title, QString("Naslov"));
    EXPECT_EQ(prompter.asked()[2].file.defaultExtension, QString("txt"));
    EXPECT_EQ(prompter.texts(), QStringList({"Save?", "Paste", "Select File", "Done"}));
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
