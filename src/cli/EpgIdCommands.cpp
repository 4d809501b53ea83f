// The EPG ids of one group's channels: derived from the names and a country code, cleared, or
// rewritten by text replacement, as the EPG id window does. Each is one transaction.
#include "cli/Command.h"
#include "tools/EpgIds.h"

#include <ostream>

namespace listrion::cli {
namespace {

int derive(Context& ctx, Arguments& args)
{
    const auto a = args.finish(2, 2);
    if (a[1].empty()) {
        throw UsageError("CODE may not be empty");
    }
    const tools::DerivedEpgIds done = tools::deriveEpgIds(ctx.database(), a[0], a[1]);
    ctx.out() << done.ids << " ids derived\n";
    return 0;
}

int clear(Context& ctx, Arguments& args)
{
    const std::string group = args.finish(1, 1).front();
    ctx.out() << tools::clearEpgIds(ctx.database(), group) << " ids cleared\n";
    return 0;
}

int replace(Context& ctx, Arguments& args)
{
    const auto a = args.finish(3, 3);
    if (a[1].empty()) {
        throw UsageError("FIND may not be empty");
    }
    ctx.out() << tools::replaceInEpgIds(ctx.database(), a[0], a[1], a[2]) << " ids changed\n";
    return 0;
}

int epg(Context& ctx, Arguments& args)
{
    std::vector<std::string> all = args.finish(1, 4);
    const std::string sub = all.front();
    Arguments rest(std::vector<std::string>(all.begin() + 1, all.end()));
    if (sub == "derive") {
        return derive(ctx, rest);
    }
    if (sub == "clear") {
        return clear(ctx, rest);
    }
    if (sub == "replace") {
        return replace(ctx, rest);
    }
    throw UsageError("unknown subcommand '" + sub + "'");
}

} // namespace

void registerEpgIdCommands(CommandRegistry& registry)
{
    registry.add({"epg", "derive GROUP CODE | clear GROUP | replace GROUP FIND REPLACEMENT",
                  "derive, clear or rewrite the EPG ids of a group's channels",
                  "derive: every channel of GROUP whose tvg-id is empty, null or ext (any case)\n"
                  "gets a key made from its name + \".\" + CODE (\"Nova TV HD\", hr gives\n"
                  "novatv.hr); quality marks and (HR)/(SR) are removed from the tvg-names.\n"
                  "Prints: N ids derived\n"
                  "clear: every channel of GROUP gets the tvg-id ext. Prints: N ids cleared\n"
                  "replace: every FIND in the tvg-ids of GROUP (letter case counts) becomes\n"
                  "REPLACEMENT. Prints: N ids changed",
                  epg});
}

} // namespace listrion::cli
