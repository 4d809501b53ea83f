#include "tools/UpdateCheck.h"

#include "playlist/CurlHttpClient.h"
#include "settings/VersionNumber.h"
#include "support/LinkTestServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <future>

namespace listrion::tools {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Outcome = UpdateCheck::Outcome;

TEST(UpdateCheck, VersionsCompareByTheFirstDifferingOfThreeParts)
{
    const std::tuple<const char*, const char*, int> cases[] = {
        {"2.1.29", "2.1.30", -1},
        {"2.1.29", "2.1.29", 0},
        {"2.1.29", "2.0.99", 1},
        {"2.9.9", "3", -1},
        {"2.1.29", "2.1.29.5", 0},
        {"1.10.0", "1.9.9", 1},
        {"0.0.0", "garbage", 0},
        {"2.1.3", "2.1b.3x", 0},
        {"1.0.0", "0.99999999999999999999.0", 1}};
    for (auto [a, b, expected] : cases) {
        EXPECT_EQ(settings::CompareVersions2(a, b), expected) << a << " vs " << b;
        EXPECT_EQ(settings::CompareVersions2(b, a), -expected) << b << " vs " << a;
    }
}

TEST(UpdateCheck, TheFirstLineOfTheVersionFileAgainstTheOwnVersionWithinTheLimit)
{
    test::LinkTestServer server;
    test::TempFolder home;
    playlist::CurlHttpClient http;
    const std::tuple<const char*, Outcome, const char*> cases[] = {
        {"/echo?text=%20%202.1.30%20%0D%0A9.9.9", Outcome::Newer, "2.1.30"},
        {"/echo?text=2.1.29", Outcome::UpToDate, "2.1.29"},
        {"/echo?text=3", Outcome::Newer, "3"},
        {"/echo?text=2.0.99", Outcome::UpToDate, "2.0.99"},
        {"/missing", Outcome::Failed, ""},
        {"/echo?text=not%20a%20version", Outcome::UpToDate, "not a version"}};
    for (auto [path, outcome, version] : cases) {
        home.write("version.txt", "0.0.1"); // an earlier copy: replaced, or gone on a failure
        const UpdateCheck::Result r =
            UpdateCheck::run(http, server.url(path), home.file("version.txt"), "2.1.29");
        EXPECT_EQ(r.outcome, outcome) << path;
        EXPECT_EQ(r.version, version) << path;
        const auto files = std::distance(std::filesystem::directory_iterator(home.path()), {});
        EXPECT_EQ(files, outcome == Outcome::Failed ? 0 : 1) << path; // no temporary file left
    }

    // A server that never answers: the check is given up off the caller's thread.
    test::SilentPort silent;
    std::promise<UpdateCheck::Result> done;
    Clock::time_point start = Clock::now();
    {
        UpdateCheck check(
            http, silent.url(), home.file("version.txt"),
            [&done](const UpdateCheck::Result& r) { done.set_value(r); }, 1s);
        EXPECT_LT(Clock::now() - start, 200ms); // the caller, the editor's start, goes on
        std::future<UpdateCheck::Result> result = done.get_future();
        ASSERT_EQ(result.wait_for(3s), std::future_status::ready);
        EXPECT_EQ(result.get().outcome, Outcome::Failed);
    }
    start = Clock::now();
    {
        // A window closed while the check waits stops it rather than waiting for its limit.
        UpdateCheck check(http, silent.url(), home.file("version.txt"), [](auto&) {});
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_LT(Clock::now() - start, 2500ms);
}

} // namespace
} // namespace listrion::tools
