// The program's version and the update check: version, check-update.
#include "cli/Command.h"
#include "listrion/Version.h"
#include "playlist/CurlHttpClient.h"
#include "settings/UpdateDeployment.h"
#include "settings/VersionNumber.h"
#include "tools/UpdateCheck.h"

#include <ostream>

namespace listrion::cli {
namespace {

int version(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    ctx.out() << kVersionText << '\n';
    return 0;
}

int checkUpdate(Context& ctx, Arguments& args)
{
    const std::string url =
        args.takeOption("--url").value_or(std::string(settings::kVersionFileUrl));
    args.finish(0, 0);
    playlist::CurlHttpClient http;
    const tools::UpdateCheck::Result result = tools::UpdateCheck::run(
        http, url, ctx.folder().path() / "version.txt", settings::VersionNumber::own().dotted());
    switch (result.outcome) {
    case tools::UpdateCheck::Outcome::Newer:
        ctx.out() << "newer: " << settings::VersionNumber::parse(result.version).dotted() << '\n';
        return 0;
    case tools::UpdateCheck::Outcome::UpToDate:
        ctx.out() << "up to date\n";
        return 0;
    case tools::UpdateCheck::Outcome::Failed:
        break;
    }
    ctx.err() << "listrion-cli check-update: " << url << ": " << result.error << '\n';
    return 1;
}

} // namespace

void registerUpdateCommands(CommandRegistry& registry)
{
    registry.add({"version", "", "print the program's version", "", version, StoreUse::None});
    registry.add({"check-update", "[--url URL]",
                  "compare the published version with the program's own",
                  "Downloads the version file (URL, else the address of this deployment) to\n"
                  "version.txt in the program folder and prints 'newer: X.Y.Z' or 'up to\n"
                  "date'. Gives up after 5 seconds; a failed download exits with 1.",
                  checkUpdate, StoreUse::None});
}

} // namespace listrion::cli
