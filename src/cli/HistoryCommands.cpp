// Commands that undo and redo single steps of the history of edits, and list it.
#include "cli/Command.h"
#include "store/History.h"

#include <ostream>

namespace listrion::cli {
namespace {

int step(Context& ctx, Arguments& args, bool undoing)
{
    args.finish(0, 0);
    store::Database& db = ctx.database();
    const std::optional<std::string> name =
        undoing ? store::History::undo(db) : store::History::redo(db);
    if (!name) {
        ctx.out() << (undoing ? "nothing to undo\n" : "nothing to redo\n");
        return 0;
    }
    ctx.out() << (undoing ? "undone: " : "redone: ") << *name << '\n';
    return 0;
}

int history(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    for (const store::History::Step& s : store::History::steps(ctx.database())) {
        ctx.out() << s.id << '\t' << (s.undone ? "undone" : "done") << '\t' << s.bytes << '\t'
                  << s.name << '\n';
    }
    return 0;
}

} // namespace

void registerHistoryCommands(CommandRegistry& registry)
{
    registry.add({"undo-step", "", "undo the last step of the history of edits",
                  "Prints the name of the step undone, or \"nothing to undo\".",
                  [](Context& ctx, Arguments& args) {
                      return step(ctx, args, true);
                  }});
    registry.add({"redo-step", "", "redo the step undone last",
                  "Prints the name of the step redone, or \"nothing to redo\". A new command\n"
                  "after an undo ends what can be redone.",
                  [](Context& ctx, Arguments& args) {
                      return step(ctx, args, false);
                  }});
    registry.add({"history", "", "list the steps of the history of edits, newest first",
                  "One line per step: number, done or undone, bytes kept, name (the command\n"
                  "that made it). Opening, creating and closing a playlist start a new history;\n"
                  "Settings.ini [History] 1 is the most it keeps, in MB (256 when empty).",
                  history, StoreUse::Reads});
}

} // namespace listrion::cli
