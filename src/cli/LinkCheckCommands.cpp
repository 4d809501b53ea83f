// The link checker's commands: check-links and delete-broken.
#include "cli/Command.h"
#include "cli/InterruptObserver.h"
#include "tools/BrokenChannels.h"
#include "tools/LinkCheckRun.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <ostream>

namespace listrion::cli {
namespace {

int positive(Arguments& args, const std::string& name, int fallback)
{
    const auto text = args.takeOption(name);
    if (!text) {
        return fallback;
    }
    const long long value = parseInteger(*text, name);
    if (value < 1 || value > 1000) {
        throw UsageError(name + " must be between 1 and 1000");
    }
    return static_cast<int>(value);
}

tools::LinkCheckRunOptions runOptions(Arguments& args)
{
    tools::LinkCheckRunOptions options;
    tools::LinkCheckOptions& link = options.link;
    link.jobs = positive(args, "--jobs", link.jobs);
    link.perHost = positive(args, "--per-host", link.perHost);
    const auto seconds = positive(args, "--timeout", 10);
    link.totalTimeout = std::chrono::seconds(seconds);
    link.connectTimeout =
        std::min<std::chrono::milliseconds>(link.connectTimeout, link.totalTimeout);
    link.strict = args.takeFlag("--strict");
    return tools::withKeptStreamHeaders(options);
}

// Ctrl+C stops the run as the window's stop button does; on a terminal one line shows how far
// the run has come.
class TerminalProgress final : public tools::LinkCheckObserver {
public:
    TerminalProgress() : m_terminal(::isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() override
    {
        if (m_shown) {
            std::cerr << "\r\033[K" << std::flush;
        }
    }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void progress(const tools::LinkCheckCounts& c) override
    {
        const auto now = std::chrono::steady_clock::now();
        if (!m_terminal || now - m_lastShown < std::chrono::milliseconds(200)) {
            return;
        }
        m_lastShown = now;
        m_shown = true;
        std::cerr << "\rchecked " << c.processed << " of " << c.total << "  working " << c.working
                  << "  broken " << c.broken << "  untested " << c.untested << "\033[K"
                  << std::flush;
    }
    bool stopRequested() override { return m_interrupt.cancelRequested(); }

private:
    InterruptObserver m_interrupt;
    bool m_terminal;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_lastShown{};
};

int checkLinks(Context& ctx, Arguments& args)
{
    const tools::LinkCheckRunOptions options = runOptions(args);
    args.finish(0, 0);
    tools::LinkCheckResult result;
    {
        TerminalProgress progress;
        result = tools::checkPlaylistLinks(ctx.folder().dataMdb(), options, &progress);
    }
    if (!result.error.empty()) {
        ctx.err() << "listrion-cli check-links: " << result.error << '\n';
        return 1;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", result.seconds);
    const tools::LinkCheckCounts& c = result.counts;
    ctx.out() << "checked: " << c.processed << "  working: " << c.working
              << "  broken: " << c.broken << "  untested: " << c.untested
              << "  seconds: " << seconds << (result.stopped ? "  (stopped)" : "") << '\n';
    return 0;
}

int deleteBroken(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    const tools::BrokenDeletion result = tools::deleteBrokenChannels(ctx.database());
    ctx.out() << "deleted: " << result.channels
              << " channels  emptied groups removed: " << result.groupsRemoved << '\n';
    return 0;
}

} // namespace

void registerLinkCheckCommands(CommandRegistry& registry)
{
    registry.add(
        {"check-links", "[--jobs N] [--per-host N] [--timeout S] [--strict]",
         "test every channel's link and tick the channels whose link is broken",
         "Every channel is unticked first; a channel whose link does not work is ticked, as\n"
         "the link checker window does. A link works when its server answers 2xx with a body\n"
         "(an HLS playlist: its first entry too); file:// links when the file can be read;\n"
         "rtmp, rtsp, udp and other schemes cannot be tested and count as working (\"untested\")\n"
         "unless --strict is given. Up to --jobs links (16) are tested at once, at most\n"
         "--per-host (2) on one host; a host that answers 429 or 503 is given time and one\n"
         "link at a time. --timeout is the longest one test may take, in seconds (10).\n"
         "Ctrl+C stops the run and keeps the ticks of the links decided so far.\n"
         "Prints: checked: N  working: N  broken: N  untested: N  seconds: S",
         checkLinks});
    registry.add({"delete-broken", "",
                  "delete the ticked channels, as the link checker's delete button does",
                  "Deletes every ticked channel, whoever ticked it, then recounts the groups,\n"
                  "removes the groups this left without channels and renumbers groups and\n"
                  "channels; all in one transaction.",
                  deleteBroken});
}

} // namespace listrion::cli
