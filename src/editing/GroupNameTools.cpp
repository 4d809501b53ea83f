#include "editing/GroupNameTools.h"

#include "editing/EditRefused.h"
#include "editing/NameText.h"
#include "store/ChangeLog.h"
#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/Schema.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <map>

namespace listrion::editing {
namespace {

using Reason = EditRefused::Reason;

// Above this many channels to rename, the channels' group index is built afresh.
constexpr std::int64_t kRebuildIndexAbove = 200'000;

bool has(std::string_view name, char c)
{
    return name.find(c) != std::string_view::npos;
}

// Replaces `name` by `result` unless the result is empty once leading blanks are gone.
void take(std::string& name, const std::string& result)
{
    if (!NameText::withoutLeadingBlanks(result).empty()) {
        name = result;
    }
}

std::string edited(const std::string& name, const GroupNameEdit& edit)
{
    switch (edit.tool) {
    case GroupNameTool::Prefix:
        return edit.text + " " + name;
    case GroupNameTool::Suffix:
        return name + " " + edit.text;
    case GroupNameTool::Replace:
        return NameText::replaceAll(name, edit.text, edit.replacement);
    case GroupNameTool::Capitalize:
        return NameText::capitalize(name, NameText::kGroupTokens);
    case GroupNameTool::Upper:
        return NameText::upperCase(name);
    case GroupNameTool::Strip:
        break;
    }
    return name;
}

struct Row {
    std::int64_t rowid = 0;
    std::string name;
    bool ticked = false;
    std::string final;
};

// Every group row in grid order.
std::vector<Row> readRows(const store::Database& db)
{
    std::vector<Row> rows;
    store::Statement st = db.prepare("SELECT rowid, grupa, izberi FROM Grupa "
                                     "WHERE grupa IS NOT NULL ORDER BY type, broj, rowid");
    while (st.step()) {
        const std::string name = st.columnText(1);
        rows.push_back({st.columnInt(0), name, st.columnInt(2) != 0, name});
    }
    return rows;
}

// Groups whose final names compare equal become one: the row that already had the name stays,
// else the first in grid order.
void planMerges(std::vector<Row>& all, GroupRenamePlan& plan)
{
    std::map<std::string, std::vector<std::size_t>> byKey;
    for (std::size_t i = 0; i < all.size(); ++i) {
        byKey[store::foldKey(all[i].final)].push_back(i);
    }
    for (auto& [key, rows] : byKey) {
        std::size_t keep = rows.front();
        for (std::size_t i : rows) {
            if (store::compareText(all[i].name, all[i].final) == 0) {
                keep = i;
                break;
            }
        }
        if (rows.size() > 1) {
            GroupRenamePlan::Merge merge{all[keep].final, {}};
            for (std::size_t i : rows) {
                if (i != keep) {
                    merge.from.push_back(all[i].name);
                    plan.renames.push_back({all[i].rowid, all[i].name, all[keep].final, true});
                }
            }
            plan.merges.push_back(std::move(merge));
        }
        if (all[keep].final != all[keep].name) {
            plan.renames.push_back({all[keep].rowid, all[keep].name, all[keep].final, false});
        }
    }
}

} // namespace

std::vector<std::string> strippedGroupNames(std::vector<std::string> names)
{
    for (std::string& name : names) {
        if (has(name, '|')) {
            take(name, NameText::afterPipe(name));
        }
    }
    bool metParentheses = false;
    for (std::string& name : names) {
        if (has(name, '(') && has(name, ')')) {
            metParentheses = true;
            take(name, NameText::withoutBracketPart(name, '(', ')'));
        }
    }
    bool metColon = false;
    for (std::string& name : names) {
        if (has(name, ':')) {
            metColon = true;
            take(name, NameText::afterColon(name));
        }
    }
    if (metParentheses || metColon) {
        return names;
    }
    for (std::string& name : names) {
        if (has(name, '[') && has(name, ']')) {
            take(name, NameText::withoutBracketPart(name, '[', ']'));
        }
    }
    return names;
}

std::vector<std::string> editedGroupNames(const std::vector<std::string>& names,
                                          const GroupNameEdit& edit)
{
    if (edit.tool == GroupNameTool::Strip) {
        return strippedGroupNames(names);
    }
    std::vector<std::string> result = names;
    for (std::string& name : result) {
        take(name, edited(name, edit));
    }
    return result;
}

GroupRenamePlan planGroupNameEdit(const store::Database& db, const GroupNameEdit& edit)
{
    const bool tickedOnly =
        edit.tool == GroupNameTool::Prefix || edit.tool == GroupNameTool::Suffix;
    std::vector<Row> all = readRows(db);
    std::vector<std::string> names;
    std::vector<std::size_t> scope;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!tickedOnly || all[i].ticked) {
            scope.push_back(i);
            names.push_back(all[i].name);
        }
    }
    if (tickedOnly && scope.empty()) {
        throw EditRefused(Reason::NothingTicked, "no group is ticked");
    }
    const std::vector<std::string> result = editedGroupNames(names, edit);
    for (std::size_t k = 0; k < scope.size(); ++k) {
        if (NameText::length(result[k]) > kMaxTextLength) {
            throw EditRefused(Reason::NameTooLong,
                              "the name '" + all[scope[k]].name + "' would be longer than " +
                                  std::to_string(kMaxTextLength) + " characters");
        }
        all[scope[k]].final = result[k];
    }
    GroupRenamePlan plan;
    planMerges(all, plan);
    return plan;
}

GroupNamesChanged applyGroupNameEdit(store::Database& db, const GroupNameEdit& edit,
                                     OnMerge onMerge)
{
    store::Transaction tx(db);
    const GroupRenamePlan plan = planGroupNameEdit(db, edit);
    if (!plan.merges.empty() && onMerge == OnMerge::Refuse) {
        throw EditRefused(Reason::NeedsMerge,
                          std::to_string(plan.merges.size()) +
                              " new names are names of other groups too (merge the groups to "
                              "go on)");
    }
    GroupNamesChanged result;
    db.exec("CREATE TEMP TABLE IF NOT EXISTS GroupRename "
            "(old TEXT COLLATE LISTRION_TEXT PRIMARY KEY, new TEXT); "
            "DELETE FROM temp.GroupRename;");
    store::Statement pair = db.prepare("INSERT INTO temp.GroupRename (old, new) VALUES (?, ?)");
    store::Statement rename = db.prepare("UPDATE Grupa SET grupa = ? WHERE rowid = ?");
    store::Statement remove = db.prepare("DELETE FROM Grupa WHERE rowid = ?");
    std::vector<std::string> touched;
    for (const GroupRenamePlan::Rename& r : plan.renames) {
        pair.bindAll(r.from, r.to);
        pair.run();
        if (r.merges) {
            remove.bindAll(r.rowid);
            remove.run();
            ++result.merged;
        } else {
            rename.bindAll(r.to, r.rowid);
            rename.run();
            touched.push_back(r.to);
        }
        ++result.groups;
    }
    // Renaming most channels through the (grupa, broj) index costs two index seeks per row;
    // dropping the index and building it afresh afterwards is faster then.
    const bool rebuild = db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa IN "
                                      "(SELECT old FROM temp.GroupRename)",
                                      0) > kRebuildIndexAbove;
    // The history learns every channel's old name here, which for a million channels is much
    // cheaper than through the engine's hook.
    store::ChangeLog& log = db.changeLog();
    if (log.collecting()) {
        const int column = store::Schema::columnNumber(db, "Playlist", "grupa");
        // CROSS JOIN keeps the renamed groups outside, each reading its channels through the
        // (grupa, broj) index; left to itself the engine reads the whole channel table.
        store::Statement renamed = db.prepare(
            "SELECT p.rowid, p.grupa, r.new FROM temp.GroupRename r CROSS JOIN Playlist p "
            "ON p.grupa = r.old");
        store::SameTextChanges changes(0, column);
        while (renamed.step()) {
            changes.add(renamed.columnInt(0), renamed.columnView(1), renamed.columnView(2));
        }
        changes.addTo(log);
    }
    if (rebuild) {
        store::Schema::dropPlaylistGroupIndex(db);
    }
    {
        const store::HistoryPause pause(db);
        // One statement reads every channel's old name before any is written, so names that
        // change places (A to B and B to A) end up right.
        db.exec("UPDATE Playlist SET grupa = (SELECT new FROM temp.GroupRename r "
                "WHERE r.old = Playlist.grupa) WHERE grupa IN (SELECT old FROM temp.GroupRename)");
        result.channels = db.changes();
    }
    if (rebuild) {
        store::Schema::createPlaylistIndexes(db);
    }
    db.exec("DELETE FROM temp.GroupRename");
    for (const GroupRenamePlan::Merge& m : plan.merges) {
        touched.push_back(m.into);
    }
    recountGroups(db, touched);
    if (!plan.merges.empty()) {
        store::renumberGroupsByPosition(db);
        store::Zapisi_Nove_Brojeve(db);
    }
    tx.commit();
    return result;
}

} // namespace listrion::editing
