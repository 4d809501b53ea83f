// The command that writes the store back as a playlist file: save.
#include "cli/Command.h"
#include "cli/InterruptObserver.h"
#include "playlist/PlaylistWriter.h"
#include "settings/Settings.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace listrion::cli {
namespace {

int save(Context& ctx, Arguments& args)
{
    playlist::SaveOptions options;
    options.replaceExisting = args.takeFlag("--yes");
    const std::optional<std::string> mode = args.takeOption("--mode");
    const std::string file = args.finish(1, 1).front();
    if (file.empty()) {
        throw UsageError("FILE is empty");
    }
    const settings::Settings settings(ctx.folder().settingsIni());
    if (mode) {
        const std::optional<playlist::PlaylistMode> chosen = playlist::parsePlaylistMode(*mode);
        if (!chosen) {
            throw UsageError("--mode must be full or design");
        }
        options.mode = *chosen;
    } else {
        options.mode = playlist::playlistModeSetting(settings.read(settings::Keys::M3U));
    }
    options.codepage = &settings.codepage();
    options.dataMdb = ctx.folder().dataMdb();
    InterruptObserver observer;
    const playlist::SaveResult result = playlist::Save_Playlist(file, options, &observer);
    if (!result.saved()) {
        ctx.err() << "listrion-cli save: " << result.message;
        if (result.status == playlist::SaveStatus::NotReplaced) {
            ctx.err() << " (add --yes to replace it)";
        }
        ctx.err() << '\n';
        return 1;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", result.seconds);
    ctx.out() << "channels: " << result.written << "  groups: " << result.groups
              << "  seconds: " << seconds << '\n';
    return 0;
}

} // namespace

void registerWriterCommands(CommandRegistry& registry)
{
    registry.add({"save", "FILE [--yes] [--mode full|design]",
                  "write the store as an extended M3U playlist file",
                  "Every group with a position is written in position order, each with its\n"
                  "channels in position order, through the code page of Settings.ini, with CR LF\n"
                  "line ends. An existing FILE is replaced only with --yes, and only once the new\n"
                  "file is complete. In full mode each channel's kept attributes and option lines\n"
                  "are written back; design mode writes only the columns' lines. --mode overrides\n"
                  "Settings.ini [M3U] 1 (full unless it says design) for this save. Prints one\n"
                  "summary line.",
                  save, StoreUse::Reads});
}

} // namespace listrion::cli
