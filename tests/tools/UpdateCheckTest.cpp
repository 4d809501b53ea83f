#include "tools/UpdateCheck.h"

#include "playlist/CurlHttpClient.h"
#include "support/LinkTestServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <future>

namespace listrion::tools {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Outcome = UpdateCheck::Outcome;

TEST(UpdateCheck, ComparesTheFirstLineOfTheVersionFileWithTheOwnVersion)
{
    test::LinkTestServer server;
    test::TempFolder home;
    playlist::CurlHttpClient http;
    struct Case {
        std::string path;
        Outcome outcome;
        std::string version;
    };
    for (const Case& c : {Case{"/echo?text=%20%202.1.30%20%0D%0A9.9.9", Outcome::Newer, "2.1.30"},
                          {"/echo?text=2.1.29", Outcome::UpToDate, "2.1.29"},
                          {"/echo?text=2.0.99", Outcome::UpToDate, "2.0.99"},
                          {"/echo?text=3", Outcome::Newer, "3"},
                          {"/echo?text=2.1.29.5", Outcome::UpToDate, "2.1.29.5"},
                          {"/echo?text=not%20a%20version", Outcome::UpToDate, "not a version"},
                          {"/missing", Outcome::Failed, ""}}) {
        home.write("version.txt", "0.0.1"); // an earlier copy: replaced, or gone on a failure
        const UpdateCheck::Result r =
            UpdateCheck::run(http, server.url(c.path), home.file("version.txt"), "2.1.29");
        EXPECT_EQ(r.outcome, c.outcome) << c.path;
        EXPECT_EQ(r.version, c.version) << c.path;
        const auto files = std::distance(std::filesystem::directory_iterator(home.path()), {});
        EXPECT_EQ(files, c.outcome == Outcome::Failed ? 0 : 1) << c.path; // no temporary left
    }
    EXPECT_EQ(UpdateCheck::question("2.1.30"), "There is a new version of the program 2.1.30  "
                                               "Do you want to open the website to download "
                                               "the new version ?");
}

TEST(UpdateCheck, AServerThatNeverAnswersIsGivenUpOffTheCallersThread)
{
    test::SilentPort silent;
    test::TempFolder home;
    playlist::CurlHttpClient http;
    std::promise<UpdateCheck::Result> done;
    const Clock::time_point start = Clock::now();
    {
        UpdateCheck check(
            http, silent.url(), home.file("version.txt"),
            [&done](const UpdateCheck::Result& r) { done.set_value(r); }, 1s);
        EXPECT_LT(Clock::now() - start, 200ms); // the caller, the editor's start, goes on
        std::future<UpdateCheck::Result> result = done.get_future();
        ASSERT_EQ(result.wait_for(3s), std::future_status::ready);
        EXPECT_EQ(result.get().outcome, Outcome::Failed);
    }
    const Clock::time_point again = Clock::now();
    {
        // A window closed while the check waits stops it instead of waiting for its limit.
        UpdateCheck check(http, silent.url(), home.file("version.txt"),
                          [](const UpdateCheck::Result&) {});
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_LT(Clock::now() - again, 2500ms);
}

} // namespace
} // namespace listrion::tools
