// The editor and the folder lock: one program changes a program folder at a time.
#include "editing/ui/Glavna.h"
#include "store/FolderLock.h"
#include "support/FakeHttp.h"
#include "support/ScriptedPrompter.h"
#include "support/TempFolder.h"

#include <QUrl>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace listrion::editing {
namespace {

using namespace std::chrono_literals;

// A second window on the folder says it is busy and does not start, and so does a window
// started while a command line holds the folder.
TEST(GlavnaStart, ASecondWriterOnTheFolderIsToldItIsBusy)
{
    test::TempFolder home;
    settings::ProgramFolder folder{home.path()};
    folder.installShippedData();
    test::ScriptedPrompter prompter;
    test::FakeHttp http;
    Glavna::Services services{prompter, http, [](const QUrl&) {
                              }};
    services.lockWait = 100ms;

    auto first = std::make_unique<Glavna>(folder, services);
    ASSERT_TRUE(first->start());
    EXPECT_FALSE(store::FolderLock::acquire(folder.dataMdb(), 0ms).held());
    {
        Glavna second(folder, services);
        prompter.acknowledge();
        EXPECT_FALSE(second.start());
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked().front().text,
                  QString::fromUtf8(store::FolderLock::kBusyMessage));
        prompter.verify();
    }
    first.reset();
    const store::FolderLock command = store::FolderLock::acquire(folder.dataMdb());
    ASSERT_TRUE(command.held());
    Glavna third(folder, services);
    prompter.acknowledge();
    EXPECT_FALSE(third.start());
    prompter.verify();
}

} // namespace
} // namespace listrion::editing
