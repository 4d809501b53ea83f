// The commands of the EPG and logo archive (logo.mdb in the program folder) and of the EPG
// source address: epg import|archive, logos import|archive, epg-url.
#include "cli/Command.h"
#include "tools/ArchiveFile.h"
#include "tools/EpgArchive.h"
#include "tools/LogoArchive.h"

#include <ostream>

namespace listrion::cli {
namespace {

// logo.mdb, copied from the program's own when the folder has none yet; nothing when it is
// damaged (after saying so).
std::optional<store::Database> archive(Context& ctx, const std::string& command)
{
    const std::filesystem::path file = ctx.folder().logoMdb();
    switch (tools::checkArchive(file)) {
    case tools::ArchiveState::Missing:
        tools::restoreArchive(file, settings::ProgramFolder::shippedFile("logo.mdb"));
        break;
    case tools::ArchiveState::Damaged:
        ctx.err() << "listrion-cli " << command << ": " << file.string()
                  << " is not a readable archive; remove it to get the delivered one again\n";
        return std::nullopt;
    case tools::ArchiveState::Usable:
        break;
    }
    return tools::openArchive(file);
}

int epgImport(Context& ctx, std::optional<store::Database>& logo)
{
    const tools::EpgImport result = tools::importEpgIds(ctx.database(), *logo);
    if (result.archiveRows == 0) {
        ctx.err() << "listrion-cli epg import: the EPG archive is empty; nothing was changed\n";
        return 1;
    }
    ctx.out() << result.channels << " channels got ids\n";
    return 0;
}

int epg(Context& ctx, Arguments& args)
{
    const std::vector<std::string> all = args.finish(1, 4);
    const std::string& what = all.front();
    if (what != "import" && what != "archive") {
        return runEpgIdCommand(ctx, all);
    }
    if (all.size() > 1) {
        throw UsageError("epg " + what + " takes no arguments");
    }
    std::optional<store::Database> logo = archive(ctx, "epg " + what);
    if (!logo) {
        return 1;
    }
    if (what == "import") {
        return epgImport(ctx, logo);
    }
    const std::int64_t saved = tools::saveEpgArchive(ctx.database(), *logo);
    ctx.out() << "EPG archive saved: " << saved << " channels\n";
    return 0;
}

int logos(Context& ctx, Arguments& args)
{
    const std::string what = args.finish(1, 1).front();
    if (what != "import" && what != "archive") {
        throw UsageError("unknown subcommand '" + what + "'");
    }
    std::optional<store::Database> logo = archive(ctx, "logos " + what);
    if (!logo) {
        return 1;
    }
    if (what == "archive") {
        const std::int64_t saved = tools::saveLogoArchive(ctx.database(), *logo);
        ctx.out() << "logo archive saved: " << saved << " logos\n";
        return 0;
    }
    const tools::LogoImport result = tools::importLogos(ctx.database(), *logo);
    if (result.sourceRows == 0) {
        ctx.err() << "listrion-cli logos import: the logo archive is empty; nothing was changed\n";
        return 1;
    }
    ctx.out() << result.assigned << " logos assigned\n";
    return 0;
}

int epgUrl(Context& ctx, Arguments& args)
{
    const std::vector<std::string> address = args.finish(0, 1);
    if (address.empty()) {
        ctx.out() << tools::epgAddress(ctx.database()) << '\n';
        return 0;
    }
    if (!tools::setEpgAddress(ctx.database(), address.front())) {
        throw UsageError("the address is empty");
    }
    return 0;
}

} // namespace

void registerEpgArchiveCommands(CommandRegistry& registry)
{
    registry.add({"epg",
                  "import | archive | derive GROUP CODE | clear GROUP | replace GROUP FIND "
                  "REPLACEMENT",
                  "copy EPG ids between the playlist and logo.mdb; derive, clear or rewrite a "
                  "group's ids",
                  "import: every archive row gives its tvgID to the channels whose name is\n"
                  "LIKE its Name (lower-cased, \" hd\" and \" fhd\" removed; % and _ are pattern\n"
                  "characters, letter case does not matter). Prints: N channels got ids\n"
                  "archive: replaces the archive's EPG table with the Live channels that have\n"
                  "an id, in group and channel order. Prints: EPG archive saved: N channels\n"
                  "A missing logo.mdb is first copied from the one delivered with the program.\n"
                  "derive: every channel of GROUP whose tvg-id is empty, null or ext (any case)\n"
                  "gets a key made from its name + \".\" + CODE (\"Nova TV HD\", hr gives\n"
                  "novatv.hr); quality marks and (HR)/(SR) are removed from the tvg-names.\n"
                  "Prints: N ids derived\n"
                  "clear: every channel of GROUP gets the tvg-id ext. Prints: N ids cleared\n"
                  "replace: every FIND in the tvg-ids of GROUP (letter case counts) becomes\n"
                  "REPLACEMENT. Prints: N ids changed",
                  epg});
    registry.add({"logos", "import|archive", "copy logos between the playlist and logo.mdb",
                  "import: each row of Logo_User (of Logo_Orginal while Logo_User is empty)\n"
                  "gives its logo to the first channel, in the order the channels were stored,\n"
                  "without a logo whose tvg-name begins with the row's name, letter case aside.\n"
                  "Prints: N logos assigned\n"
                  "archive: replaces Logo_User with the logos of the Live groups' channels.\n"
                  "Prints: logo archive saved: N logos",
                  logos});
    registry.add({"epg-url", "[URL]",
                  "show the EPG source address of the playlist, or set it to URL",
                  "The saved playlist announces it in its header as x-tvg-url.", epgUrl});
}

} // namespace listrion::cli
