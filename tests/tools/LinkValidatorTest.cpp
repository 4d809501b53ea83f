#include "tools/LinkValidator.h"
#include "tools/HostSchedule.h"
#include "tools/LinkAddress.h"
#include "tools/LinkTransfer.h"

#include "support/LinkTestServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace listrion::tools {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Options that keep the time-out cases short.
LinkCheckOptions quick()
{
    LinkCheckOptions options;
    options.connectTimeout = 1000ms;
    options.totalTimeout = 1500ms;
    options.backoff = 20ms;
    options.maxBackoff = 100ms;
    return options;
}

// Runs the validator over the links; the verdict of each link.
std::map<std::string, LinkVerdict> verdicts(LinkValidator& validator,
                                            const std::vector<std::string>& links)
{
    std::size_t next = 0;
    std::map<std::string, LinkVerdict> result;
    EXPECT_TRUE(validator.run(
        [&]() -> std::optional<LinkRequest> {
            if (next == links.size()) {
                return std::nullopt;
            }
            ++next;
            return LinkRequest{static_cast<std::int64_t>(next), links[next - 1], {}, {}};
        },
        [&](const LinkRequest& request, LinkVerdict verdict) {
            EXPECT_TRUE(result.emplace(request.link, verdict).second) << request.link;
        }));
    EXPECT_EQ(result.size(), links.size());
    return result;
}

TEST(LinkAddress, ClassifiesResolvesAndReadsFiles)
{
    const std::pair<LinkKind, std::vector<const char*>> kinds[] = {
        {LinkKind::Transfer, {"http://a/b", "HTTPS://a/b", "ftp://a/b"}},
        {LinkKind::Untestable, {"rtmp://a/live"}},
        {LinkKind::File, {"file:///tmp/x.ts", "/tmp/x.ts"}},
        {LinkKind::NotAnAddress, {"", "News HD", "C:\\tv\\a.ts", "rtsp:", "1http://a"}}};
    for (const auto& [kind, links] : kinds) {
        for (const char* link : links) {
            EXPECT_EQ(classifyLink(link), kind) << link;
        }
    }
    EXPECT_EQ(linkHost("http://User@CDN.Example.com:8080/x"), "cdn.example.com");
    EXPECT_EQ(linkHost("http://exa mple/"), "");
    EXPECT_EQ(resolveLink("http://h/live/index.m3u8?t=1", "seg/1.ts"), "http://h/live/seg/1.ts");
    EXPECT_EQ(resolveLink("http://h/live/index.m3u8", "/x.ts"), "http://h/x.ts");
    EXPECT_EQ(resolveLink("http://h/a.m3u8", "https://o/b.ts"), "https://o/b.ts");

    test::TempFolder folder;
    const std::string path = folder.write("a clip.ts", "bytes").string();
    EXPECT_TRUE(fileLinkWorks(path));
    EXPECT_TRUE(fileLinkWorks("file://" + path));
    EXPECT_TRUE(
        fileLinkWorks("file://localhost" + path.substr(0, path.size() - 9) + "a%20clip.ts"));
    EXPECT_FALSE(fileLinkWorks("file://" + path + ".gone"));
    EXPECT_FALSE(fileLinkWorks("file://" + folder.path().string())); // a folder
    EXPECT_FALSE(fileLinkWorks("file://elsewhere" + path));

    EXPECT_EQ(firstMediaEntry("#EXTM3U\n#EXTINF:2,\n\n  a.ts \nb.ts\n", true), "a.ts");
    EXPECT_EQ(firstMediaEntry("#EXTM3U\r#EXTINF:2,\r\nseg.ts", true), "seg.ts");
    EXPECT_EQ(firstMediaEntry("#EXTM3U\n#EXTINF:2,\nseg.t", false), std::nullopt);
    EXPECT_EQ(firstMediaEntry("#EXTM3U\n#EXT-X-ENDLIST\n", true), std::nullopt);
}

TEST(HostSchedule, AThrottledHostPausesAndTakesOneLinkAtATime)
{
    HostSchedule schedule(2, 100ms, 1000ms);
    const auto now = Clock::now();
    EXPECT_TRUE(schedule.hasRoom("a", now));
    schedule.started("a");
    schedule.started("a");
    EXPECT_FALSE(schedule.hasRoom("a", now));
    EXPECT_TRUE(schedule.hasRoom("b", now));
    schedule.enqueue({{1, "http://a/1", {}, {}}, "http://a/1", "a"});
    schedule.enqueue({{2, "http://b/2", {}, {}}, "http://b/2", "b"});
    // A host with a link waiting takes new links behind it.
    EXPECT_FALSE(schedule.hasRoom("b", now));
    EXPECT_EQ(schedule.nextReady(now)->request.id, 2);
    EXPECT_FALSE(schedule.nextReady(now).has_value());

    schedule.throttle("a", std::nullopt, now);
    schedule.finished("a");
    schedule.finished("a");
    EXPECT_EQ(schedule.limit("a"), 1);
    EXPECT_FALSE(schedule.nextReady(now + 99ms).has_value());
    EXPECT_EQ(*schedule.nextResume(), now + 100ms);
    std::optional<LinkJob> resumed = schedule.nextReady(now + 100ms);
    ASSERT_TRUE(resumed.has_value());
    EXPECT_EQ(resumed->request.id, 1);
    EXPECT_EQ(schedule.waiting(), 0u);
    // The second pause is twice as long; a Retry-After takes its place, within the maximum.
    schedule.throttle("a", std::nullopt, now);
    EXPECT_FALSE(schedule.hasRoom("a", now + 199ms));
    EXPECT_TRUE(schedule.hasRoom("a", now + 200ms));
    schedule.throttle("a", std::chrono::seconds(30), now);
    EXPECT_FALSE(schedule.hasRoom("a", now + 999ms));
    EXPECT_TRUE(schedule.hasRoom("a", now + 1000ms));
}

TEST(LinkValidator, DecidesEveryKindOfAnswer)
{
    test::LinkTestServer server;
    test::SilentPort silent;
    test::ClosingPort closing;
    test::TempFolder folder;
    const std::string file = "file://" + folder.write("clip.ts", "bytes").string();
    const std::map<std::string, LinkVerdict> expected = {
        {server.url("/ok"), LinkVerdict::Working},
        {server.url("/empty"), LinkVerdict::Broken},
        {server.url("/missing"), LinkVerdict::Broken},
        {server.url("/error"), LinkVerdict::Broken},
        {server.url("/hop/4"), LinkVerdict::Working}, // five redirects
        {server.url("/hop/5"), LinkVerdict::Broken},  // six
        {server.url("/loop"), LinkVerdict::Broken},
        {server.url("/drip"), LinkVerdict::Working},
        {server.url("/endless"), LinkVerdict::Working},
        {server.url("/live.m3u8"), LinkVerdict::Working},
        {server.url("/dead.m3u8"), LinkVerdict::Broken},
        {server.url("/master.m3u8"), LinkVerdict::Working},
        {silent.url(), LinkVerdict::Broken},
        {closing.url(), LinkVerdict::Broken},
        {"rtmp://192.0.2.1/live/a", LinkVerdict::Untested},
        {"Sport 1 HD", LinkVerdict::Broken},
        {"  " + server.url("/ok") + " \r", LinkVerdict::Working},
        {file, LinkVerdict::Working},
        {file + ".gone", LinkVerdict::Broken},
    };
    std::vector<std::string> links;
    for (const auto& [link, verdict] : expected) {
        links.push_back(link);
    }
    LinkValidator validator(quick());
    const auto start = Clock::now();
    EXPECT_EQ(verdicts(validator, links), expected);
    // All at once: the silent server's time-out is the longest wait, not the sum of them.
    EXPECT_LT(Clock::now() - start, 4s);
    // The endless answer was dropped, not read to its end; each playlist led to its first
    // entry only.
    EXPECT_EQ(server.hits("/endless"), 1);
    EXPECT_EQ(server.hits("/ok"), 5);
    EXPECT_EQ(server.hits("/missing"), 2);

    // The one-link contract; strict checking counts untested schemes as broken.
    EXPECT_TRUE(validator.validate(server.url("/ok")));
    EXPECT_FALSE(validator.validate(server.url("/missing")));
    EXPECT_TRUE(validator.validate("rtsp://192.0.2.1/a"));
    LinkCheckOptions strict = quick();
    strict.strict = true;
    EXPECT_FALSE(LinkValidator(strict).validate("rtsp://192.0.2.1/a"));
}

TEST(LinkValidator, KeepsToThePerHostLimitWhileTestingHostsSideBySide)
{
    test::LinkTestServer server;
    std::vector<std::string> links;
    for (int i = 0; i < 10; ++i) {
        links.push_back(server.url("/slow/" + std::to_string(i) + "?ms=300"));
        links.push_back(server.url("/slow/" + std::to_string(i) + "?ms=300", "localhost"));
    }
    LinkCheckOptions options = quick();
    options.jobs = 16;
    options.perHost = 2;
    LinkValidator validator(options);
    const auto start = Clock::now();
    for (const auto& [link, verdict] : verdicts(validator, links)) {
        EXPECT_EQ(verdict, LinkVerdict::Working) << link;
    }
    // Ten links a host, two at a time: five rounds of 300 ms with both hosts side by side; one
    // host after the other would take twice as long.
    EXPECT_LT(Clock::now() - start, 2500ms);
    EXPECT_EQ(server.peakInFlight("127.0.0.1"), 2);
    EXPECT_EQ(server.peakInFlight("localhost"), 2);
}

TEST(LinkValidator, AHostThatAsksToSlowDownIsWaitedForInsteadOfMarkedBroken)
{
    test::LinkTestServer server;
    std::vector<std::string> links;
    for (int i = 0; i < 5; ++i) {
        links.push_back(server.url("/throttle/" + std::to_string(i) + "?n=1"));
    }
    links.push_back(server.url("/throttle/always?n=99"));
    LinkCheckOptions options = quick();
    options.throttleRetries = 3;
    LinkValidator validator(options);
    const std::map<std::string, LinkVerdict> result = verdicts(validator, links);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(result.at(links[static_cast<std::size_t>(i)]), LinkVerdict::Working);
        EXPECT_EQ(server.hits("/throttle/" + std::to_string(i)), 2);
    }
    EXPECT_EQ(result.at(links.back()), LinkVerdict::Broken);
    EXPECT_EQ(server.hits("/throttle/always"), 4); // the first try and three more
    // After the first 429 the host got one request at a time.
    EXPECT_EQ(server.peakThrottledSuccesses(), 1);

    // A Retry-After is waited for.
    options.maxBackoff = 5000ms;
    LinkValidator patient(options);
    const auto start = Clock::now();
    EXPECT_TRUE(patient.validate(server.url("/retry-after")));
    EXPECT_GE(Clock::now() - start, 1s);
}

TEST(LinkValidator, StopDropsTheLinksUnderWayAtOnce)
{
    test::LinkTestServer server;
    test::SilentPort silent;
    LinkValidator validator(LinkCheckOptions{});
    int given = 0;
    std::vector<std::int64_t> decided;
    const auto start = Clock::now();
    const bool complete = validator.run(
        [&]() -> std::optional<LinkRequest> {
            if (given == 40) {
                return std::nullopt;
            }
            ++given;
            return LinkRequest{given, given <= 2 ? server.url("/ok") : silent.url(), {}, {}};
        },
        [&](const LinkRequest& request, LinkVerdict) { decided.push_back(request.id); },
        [&] { return Clock::now() - start > 300ms; });
    EXPECT_FALSE(complete);
    EXPECT_LT(Clock::now() - start, 1300ms);
    std::sort(decided.begin(), decided.end());
    EXPECT_EQ(decided, (std::vector<std::int64_t>{1, 2}));
}

} // namespace
} // namespace listrion::tools
