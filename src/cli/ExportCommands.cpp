// The command that writes the playlist as a set-top-box channel list, or lists the EPG
// archive: export.
#include "cli/Command.h"
#include "cli/InterruptObserver.h"
#include "playlist/Exporters.h"
#include "settings/Settings.h"

#include <array>
#include <ostream>
#include <string_view>

namespace listrion::cli {
namespace {

using playlist::ExportFormat;

struct FormatName {
    std::string_view name;
    ExportFormat format;
};

constexpr std::array<FormatName, 8> kFormatNames = {{
    {"enigma2", ExportFormat::Enigma2},
    {"nstream", ExportFormat::Samsung},
    {"feed", ExportFormat::Openbox},
    {"opticum", ExportFormat::OpticumHd},
    {"lg", ExportFormat::LG},
    {"azbox", ExportFormat::Azbox},
    {"openbox-x5", ExportFormat::OpenboxX5},
    {"epg", ExportFormat::Epg},
}};

ExportFormat parseFormat(const std::string& name)
{
    std::string known;
    for (const FormatName& entry : kFormatNames) {
        if (entry.name == name) {
            return entry.format;
        }
        known.append(known.empty() ? "" : ", ").append(entry.name);
    }
    throw UsageError("unknown format '" + name + "' (one of " + known + ")");
}

int exportList(Context& ctx, Arguments& args)
{
    const bool overwrite = args.takeFlag("--yes");
    const std::vector<std::string> positional = args.finish(2, 2);
    const ExportFormat format = parseFormat(positional[0]);
    if (positional[1].empty()) {
        throw UsageError("FILE is empty");
    }
    const playlist::ExportGuard guard = playlist::exportFormatInfo(format).guard;
    if (!playlist::exportGuardPasses(guard, ctx.database())) {
        ctx.out() << "nothing to export: the "
                  << (guard == playlist::ExportGuard::GroupList ? "group" : "channel")
                  << " list is empty\n";
        return 0;
    }
    playlist::ExportRequest request;
    request.dataMdb = ctx.folder().dataMdb();
    request.logoMdb = ctx.folder().logoMdb();
    request.target = positional[1];
    request.codepage = &settings::Settings(ctx.folder().settingsIni()).codepage();
    request.overwrite = overwrite;
    InterruptObserver observer;
    const playlist::ExportResult result = playlist::exportTo(format, request, &observer);
    switch (result.status) {
    case playlist::ExportStatus::Written:
        ctx.out() << "exported " << result.rows
                  << (format == ExportFormat::Epg ? " archive rows" : " channels") << " to "
                  << result.file.string() << '\n';
        return 0;
    case playlist::ExportStatus::TargetExists:
        ctx.err() << "listrion-cli export: " << result.file.string()
                  << " exists and was left as it is (--yes overwrites it)\n";
        break;
    case playlist::ExportStatus::Cancelled:
        ctx.err() << "listrion-cli export: cancelled, nothing was written\n";
        break;
    case playlist::ExportStatus::Failed:
        ctx.err() << "listrion-cli export: " << result.message << '\n';
        break;
    }
    return 1;
}

} // namespace

void registerExportCommands(CommandRegistry& registry)
{
    registry.add(
        {"export", "FORMAT FILE [--yes]",
         "write the playlist as a set-top-box channel list, or list the EPG archive",
         "FORMAT is enigma2 (bouquet), nstream (XML), feed (internettv.feed), opticum\n"
         "(.cfg), lg, azbox or openbox-x5 (.txt lists): the groups with a position above 0\n"
         "and their channels, in position order. epg lists table Epg of logo.mdb in the\n"
         "program folder; a FILE ending in .m3u is written as .txt. Text is written in the\n"
         "code page of Settings.ini with CR LF line ends. An existing FILE is only replaced\n"
         "with --yes, and only once the new file is complete. enigma2, feed, azbox and\n"
         "openbox-x5 export nothing when there are no groups, epg when there are no\n"
         "channels. Prints one summary line.",
         exportList, StoreUse::Reads});
}

} // namespace listrion::cli
