// The regional restructuring: the chosen groups and rule tables of izdvoji.mdb, and the run.
#include "cli/Command.h"
#include "cli/TsvWriter.h"
#include "store/Tables.h"
#include "tools/Restructuring.h"

#include <ostream>

namespace listrion::cli {
namespace {

constexpr const char* kCommand = "listrion-cli restructure: ";

// izdvoji.mdb of the program folder; a missing one is first copied from the shipped files.
store::Database openRules(Context& ctx)
{
    std::error_code ec;
    if (!std::filesystem::exists(ctx.folder().izdvojiMdb(), ec)) {
        ctx.folder().installShippedData();
    }
    return tools::openRuleFile(ctx.folder().izdvojiMdb());
}

int choose(Context& ctx, const std::vector<std::string>& names)
{
    store::Database rules = openRules(ctx);
    int added = 0;
    int already = 0;
    for (const std::string& name : names) {
        const tools::ChooseResult result = tools::chooseGroup(rules, name);
        added += result == tools::ChooseResult::Added ? 1 : 0;
        already += result == tools::ChooseResult::AlreadyChosen ? 1 : 0;
    }
    ctx.out() << "chosen: " << added << " added, " << already << " already chosen\n";
    return 0;
}

int unchoose(Context& ctx, bool all, const std::vector<std::string>& names)
{
    store::Database rules = openRules(ctx);
    std::int64_t removed = 0;
    if (all) {
        removed = tools::unchooseAll(rules);
    } else {
        for (const std::string& name : names) {
            removed += tools::unchooseGroup(rules, name) ? 1 : 0;
        }
    }
    ctx.out() << "unchosen: " << removed << '\n';
    return 0;
}

int listRules(Context& ctx)
{
    store::Database rules = openRules(ctx);
    TsvWriter out(ctx.out());
    for (const char* table : {"Izloci", "grupa_novo", "Grupa", "Spremeni_Skupino"}) {
        store::Statement st =
            rules.prepare("SELECT * FROM " + store::quoteIdentifier(table) + " ORDER BY rowid");
        while (st.step()) {
            out.text(table);
            for (int column = 0; column < st.columnCount(); ++column) {
                out.value(st.columnValue(column));
            }
            out.endLine();
        }
    }
    return 0;
}

int runRules(Context& ctx)
{
    const tools::RestructuringRules rules = [&] {
        store::Database file = openRules(ctx);
        return tools::readRules(file);
    }();
    store::Database& db = ctx.database();
    const tools::RestructuringResult done = tools::restructure(db, rules);
    ctx.out() << "restructured: " << store::groupCount(db) << " groups, " << store::channelCount(db)
              << " channels  deleted: " << done.channelsDeleted
              << " channels  groups added: " << done.groupsAdded
              << "  renamed: " << done.groupsRenamed << "  channels moved: " << done.channelsMoved
              << "  names tidied: " << done.namesTidied << "  backup: " << done.backup << '\n';
    return 0;
}

int restructure(Context& ctx, Arguments& args)
{
    const bool all = args.takeFlag("--all");
    std::vector<std::string> words = args.finish(1, 1'000'000);
    const std::string what = words.front();
    words.erase(words.begin());
    const bool bare = what == "rules" || what == "run" || what == "reset";
    if ((bare && (!words.empty() || all)) || (what == "choose" && (words.empty() || all)) ||
        (what == "unchoose" && words.empty() == !all)) {
        throw UsageError("wrong arguments for '" + what + "'");
    }
    try {
        if (what == "choose") {
            return choose(ctx, words);
        }
        if (what == "unchoose") {
            return unchoose(ctx, all, words);
        }
        if (what == "rules") {
            return listRules(ctx);
        }
        if (what == "run") {
            return runRules(ctx);
        }
        if (what == "reset") {
            tools::recreateRuleFile(ctx.folder().izdvojiMdb());
            ctx.out() << "izdvoji.mdb made afresh with empty rule tables\n";
            return 0;
        }
    } catch (const tools::RuleFileError& error) {
        ctx.err() << kCommand << error.what()
                  << " (listrion-cli restructure reset makes a new one with empty rule tables)\n";
        return 1;
    }
    throw UsageError("unknown part '" + what + "'");
}

} // namespace

void registerRestructureCommands(CommandRegistry& registry)
{
    registry.add(
        {"restructure", "choose GROUP... | unchoose GROUP...|--all | rules | run | reset",
         "the regional restructuring by the rule tables of izdvoji.mdb",
         "choose adds groups to keep (table Izloci; blanks trimmed, each name once) and\n"
         "unchoose takes them off. rules lists every rule row, tab-separated, the table's\n"
         "name first: Izloci GRUPA, grupa_novo GRUPA, Grupa GRUPA1 GRUPA2 (rename),\n"
         "Spremeni_Skupino GRUPA1 IME1 GRUPA2 IME2 (move and rename a channel). run keeps\n"
         "only the chosen groups (all when none is chosen), adds the new groups, renames,\n"
         "moves channels, puts the regional groups first, keeps a numbered backup, then\n"
         "strips provider prefixes and capitalises every channel name, in one transaction\n"
         "(one undo step). reset replaces izdvoji.mdb with empty rule tables. Prints one line.",
         restructure});
}

} // namespace listrion::cli
