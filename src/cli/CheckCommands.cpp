// The command that checks the store: check.
#include "cli/Command.h"
#include "store/FolderLock.h"
#include "store/StoreCheck.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace listrion::cli {
namespace {

int check(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    // The store as it is: the repairs every other command makes when it opens the store would
    // hide what is to be found.
    const std::filesystem::path file = ctx.folder().dataMdb();
    std::error_code ec;
    std::optional<store::Database> own;
    if (std::filesystem::exists(file, ec)) {
        own.emplace(file, store::storeIsReadOnly(file) ? store::Database::Mode::ReadOnly
                                                       : store::Database::Mode::ReadWrite);
    }
    const std::vector<std::string> problems = store::checkStore(own ? *own : ctx.database());
    if (problems.empty()) {
        ctx.out() << "ok\n";
        return 0;
    }
    for (const std::string& problem : problems) {
        ctx.out() << problem << '\n';
    }
    return 1;
}

} // namespace

void registerCheckCommands(CommandRegistry& registry)
{
    registry.add({"check", "", "check data.mdb: prints ok, or one line per problem",
                  "Runs the engine's integrity check with the store's own text collation (which\n"
                  "the sqlite3 shell lacks), then checks the rules every command keeps: every\n"
                  "table and index present, one group row per group name, a group row for every\n"
                  "channel (also in the undo snapshot), each group's stored count right, one\n"
                  "channel per position, the history whole. Reads only; runs beside the editor.\n"
                  "Exit 0 when the store is sound, 1 when a problem was found.",
                  check, StoreUse::Reads});
}

} // namespace listrion::cli
