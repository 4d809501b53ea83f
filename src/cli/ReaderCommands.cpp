// The command that reads a playlist into the store: open.
#include "cli/Command.h"
#include "cli/InterruptObserver.h"
#include "cli/ReaderSettings.h"
#include "playlist/CurlHttpClient.h"
#include "playlist/PlaylistOpening.h"
#include "settings/Settings.h"

#include <cstdio>
#include <ostream>

namespace listrion::cli {

playlist::OpenOptions readerSettings(const Context& ctx)
{
    playlist::OpenOptions options;
    const settings::Settings settings(ctx.folder().settingsIni());
    options.reader.region = settings.region();
    options.reader.mode = playlist::playlistModeSetting(settings.read(settings::Keys::M3U));
    const text::CodepageChoice codepage = settings.codepageChoice();
    options.reader.codepage = codepage.page;
    options.reader.automaticCodepage = codepage.automatic;
    options.dataMdb = ctx.folder().dataMdb();
    options.tempM3u = ctx.folder().tempM3u();
    // A command line leaves no copy of what it downloaded or restructured behind.
    options.removeTempM3u = true;
    return options;
}

namespace {

playlist::OpenOptions openOptions(const Context& ctx, Arguments& args)
{
    playlist::OpenOptions options = readerSettings(ctx);
    // --codepage overrides the setting for this one load.
    if (const auto name = args.takeOption("--codepage")) {
        const settings::Settings settings(ctx.folder().settingsIni());
        const auto chosen = text::CodepageChoice::parse(*name, settings.fallbackCodepage());
        if (!chosen) {
            std::string known = "auto, UTF-8";
            for (std::string_view page : text::Codepage::names()) {
                known.append(", ").append(page);
            }
            throw UsageError("unknown code page '" + *name + "' (one of " + known + ")");
        }
        options.reader.codepage = chosen->page;
        options.reader.automaticCodepage = chosen->automatic;
    }
    if (const auto limit = args.takeOption("--limit")) {
        options.reader.limit = parseInteger(*limit, "--limit");
        if (options.reader.limit < 1) {
            throw UsageError("--limit must be at least 1");
        }
    }
    return options;
}

std::string summary(const playlist::LoadResult& result)
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", result.seconds);
    std::string line = "channels: " + std::to_string(result.channels()) +
                       "  groups: " + std::to_string(result.counts.groups) +
                       "  Live: " + std::to_string(result.counts.live) +
                       "  VOD: " + std::to_string(result.counts.vod) + "  seconds: " + seconds;
    if (result.status == playlist::LoadStatus::Cancelled) {
        line += "  (cancelled)";
    } else if (result.status == playlist::LoadStatus::LimitReached) {
        line += "  (stopped at the limit)";
    }
    return line;
}

int open(Context& ctx, Arguments& args)
{
    playlist::OpenOptions options = openOptions(ctx, args);
    const std::string source = args.finish(1, 1).front();
    InterruptObserver observer;
    playlist::LoadResult result;
    if (playlist::isPlaylistAddress(source)) {
        playlist::CurlHttpClient http;
        result = playlist::Open_URL(source, http, options, &observer);
    } else {
        result = playlist::Open_Playlist(source, options, &observer);
    }
    if (!result.stored()) {
        ctx.err() << "listrion-cli open: " << result.message << '\n';
        // Not a playlist, or not one the file held whole: the source is wrong, not the program.
        return result.status == playlist::LoadStatus::NoEntries ||
                       result.status == playlist::LoadStatus::SourceChanged
                   ? 2
                   : 1;
    }
    ctx.out() << summary(result) << '\n';
    return 0;
}

} // namespace

void registerReaderCommands(CommandRegistry& registry)
{
    registry.add({"open", "SOURCE [--limit N] [--codepage auto|UTF-8|windows-1250|...]",
                  "read a playlist file or address into the store, replacing what it holds",
                  "SOURCE is a file path or an http://, https:// or ftp:// address (downloaded\n"
                  "to temp.m3u in the program folder first, removed at the end). The playlist is\n"
                  "read beside the open one, which it then replaces in one step: the store\n"
                  "emptied, the source recorded and the undo snapshot written. Region, code page\n"
                  "and playlist mode ([M3U] 1: full unless it says design; design keeps no\n"
                  "attributes or option lines beyond the columns) come from Settings.ini.\n"
                  "--codepage overrides [Codepage] 1 for this load: auto reads a file whose\n"
                  "bytes are UTF-8 (or UTF-16 with a byte-order mark) as text and any other\n"
                  "with the single-byte page of [Codepage] 2 (windows-1250 when empty).\n"
                  "Without --limit every entry is read; with it the reading stops once N entries\n"
                  "have been counted. Prints one summary line. Ctrl+C while reading keeps what\n"
                  "was read. The open playlist stays when the source cannot be read (exit 1),\n"
                  "holds no playlist entries or changes while it is read (exit 2), the disk is\n"
                  "too full (exit 1), or Ctrl+C comes before the reading or while the rows are\n"
                  "stored (exit 1).",
                  open});
}

} // namespace listrion::cli
