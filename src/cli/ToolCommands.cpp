// The commands of the search and merge tools: search, stage, merge.
#include "cli/Command.h"
#include "cli/InterruptObserver.h"
#include "cli/ReaderSettings.h"
#include "cli/TsvWriter.h"
#include "tools/ChannelSearch.h"
#include "tools/PlaylistMerge.h"
#include "tools/SecondPlaylist.h"

#include <chrono>
#include <cstdio>
#include <ostream>

namespace listrion::cli {
namespace {

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

int search(Context& ctx, Arguments& args)
{
    const std::string text = args.finish(1, 1).front();
    store::Database& db = ctx.database();
    const std::vector<std::int64_t> ids = tools::searchChannels(db, text);
    store::Statement row =
        db.prepare("SELECT izberi, grupa, name, tvgname, broj, link FROM Playlist WHERE rowid = ?");
    TsvWriter out(ctx.out());
    for (std::int64_t id : ids) {
        row.bind(1, id);
        if (row.step()) {
            out.integer(row.columnInt(0) != 0 ? 1 : 0);
            for (int column = 1; column < 6; ++column) {
                out.value(row.columnValue(column));
            }
            out.endLine();
        }
        row.reset();
    }
    return 0;
}

// Reads FILE into the staging tables; false (after saying why) when nothing may be merged.
bool stage(Context& ctx, const std::string& command, const std::string& file,
           playlist::LoadResult& result)
{
    InterruptObserver observer;
    result = tools::stageSecondPlaylist(file, readerSettings(ctx), &observer);
    if (!result.stored()) {
        ctx.err() << "listrion-cli " << command << ": " << result.message << '\n';
        return false;
    }
    return true;
}

int stageCommand(Context& ctx, Arguments& args)
{
    const std::string file = args.finish(1, 1).front();
    playlist::LoadResult result;
    if (!stage(ctx, "stage", file, result)) {
        return 1;
    }
    ctx.out() << "staged: " << result.channels() << " channels  groups: " << result.counts.groups
              << "  seconds: " << seconds(result.seconds)
              << (result.status == playlist::LoadStatus::Cancelled ? "  (cancelled)" : "") << '\n';
    return 0;
}

int merge(Context& ctx, Arguments& args)
{
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> file = args.finish(0, 1);
    if (!file.empty()) {
        playlist::LoadResult result;
        if (!stage(ctx, "merge", file.front(), result)) {
            return 1;
        }
        if (result.status == playlist::LoadStatus::Cancelled) {
            ctx.err() << "listrion-cli merge: stopped while reading " << file.front()
                      << "; nothing was merged (merge without FILE merges what was read)\n";
            return 1;
        }
    }
    const tools::MergeResult merged = tools::mergeSecondPlaylist(ctx.database());
    if (merged.groups == 0) {
        ctx.err() << "listrion-cli merge: "
                  << (file.empty() ? std::string("no second playlist is staged")
                                   : file.front() + " holds no channels")
                  << '\n';
        return 1;
    }
    ctx.out()
        << "merged: " << merged.channels << " channels  groups: " << merged.groups
        << "  renamed: " << merged.renamed << "  seconds: "
        << seconds(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count())
        << '\n';
    return 0;
}

} // namespace

void registerToolCommands(CommandRegistry& registry)
{
    registry.add({"search", "TEXT",
                  "list the channels whose name contains TEXT: izberi, grupa, name, tvgname, "
                  "broj, link",
                  "As the search window finds them: letter case does not matter (in any\n"
                  "alphabet), every character of TEXT stands for itself (% _ * ? [ ' too).\n"
                  "Ordered by group name, then name, then broj; tab-separated as channels.",
                  search, StoreUse::Reads});
    registry.add({"stage", "FILE", "read a second playlist into Playlist_Second and Grupa_Second",
                  "The merge reader: the open playlist is not touched. A radio attribute gives\n"
                  "the type Radio; otherwise the end of the link's last part decides VOD or Live.\n"
                  "groups --second and channels --second list what was read. Ctrl+C stops and\n"
                  "keeps what was read. Prints: staged: N channels  groups: N  seconds: S",
                  stageCommand});
    registry.add({"merge", "[FILE]",
                  "append a second playlist to the open one (FILE is staged first)",
                  "The second playlist's groups follow the open playlist's; a group whose name\n"
                  "is taken gets \"2\" appended (\"3\", \"4\", ... when that is taken too). Then\n"
                  "every group is counted and the groups and channels numbered afresh, in one\n"
                  "transaction. Without FILE the staged playlist is merged. Prints:\n"
                  "merged: N channels  groups: N  renamed: N  seconds: S",
                  merge});
}

} // namespace listrion::cli
