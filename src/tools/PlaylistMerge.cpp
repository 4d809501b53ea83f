#include "tools/PlaylistMerge.h"

#include "store/ChangeLog.h"
#include "store/ChannelNumbering.h"
#include "store/Database.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/SqlFunction.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace listrion::tools {
namespace {

struct StagedGroup {
    std::string name;
    std::string type;
    std::string key; // foldKey(name)
};

std::vector<StagedGroup> stagedGroups(const store::Database& db)
{
    std::vector<StagedGroup> groups;
    store::Statement st = db.prepare("SELECT grupa, type FROM Grupa_Second ORDER BY broj, rowid");
    while (st.step()) {
        std::string name = st.columnText(0);
        std::string key = store::foldKey(name);
        groups.push_back({std::move(name), st.columnText(1), std::move(key)});
    }
    return groups;
}

std::unordered_set<std::string> openGroupKeys(const store::Database& db)
{
    std::unordered_set<std::string> keys;
    store::Statement st = db.prepare("SELECT grupa FROM Grupa");
    while (st.step()) {
        keys.insert(store::foldKey(st.columnView(0)));
    }
    return keys;
}

// The names the staged groups join under, in their order: their own, or for a name the open
// playlist has, the name with the first number from 2 on that neither playlist uses.
std::vector<std::string> joiningNames(const std::vector<StagedGroup>& staged,
                                      const std::unordered_set<std::string>& open)
{
    std::unordered_set<std::string> reserved = open;
    for (const StagedGroup& group : staged) {
        reserved.insert(group.key);
    }
    std::vector<std::string> names;
    for (const StagedGroup& group : staged) {
        if (open.count(group.key) == 0) {
            names.push_back(group.name);
            continue;
        }
        for (int suffix = 2;; ++suffix) {
            std::string candidate = group.name + std::to_string(suffix);
            if (reserved.insert(store::foldKey(candidate)).second) {
                names.push_back(std::move(candidate));
                break;
            }
        }
    }
    return names;
}

// Where the staged channels go: each channel's staged group and its number after the open
// playlist's last one, in the order the renumbering gives them (group by group in the staged
// order, each group's channels in file order, which the staging's rowids follow); and each
// staged group's number of channels. One pass over the staging in store order.
struct Placements {
    struct Row {
        std::int64_t rowid = 0;
        std::uint32_t group = 0;
        std::int64_t broj = 0;
    };
    std::vector<Row> rows; // by rowid
    std::vector<std::int64_t> counts;
};

Placements placements(const store::Database& db, const std::vector<StagedGroup>& staged,
                      std::int64_t after)
{
    std::unordered_map<std::string, std::uint32_t> groupOf;
    for (std::uint32_t i = 0; i < staged.size(); ++i) {
        groupOf.emplace(staged[i].key, i);
    }
    store::FoldedLookup<std::uint32_t> groupNamed([&groupOf](const std::string& key) {
        const auto found = groupOf.find(key);
        return found != groupOf.end() ? found->second : 0;
    });
    Placements result;
    result.counts.assign(staged.size(), 0);
    // The staging's row ids run from 1 (it is emptied before each reading): the highest is its
    // number of rows, read without a pass over the table.
    result.rows.reserve(
        static_cast<std::size_t>(db.scalarInt("SELECT max(rowid) FROM Playlist_Second", 0)));
    store::Statement st = db.prepare("SELECT rowid, grupa FROM Playlist_Second ORDER BY rowid");
    while (st.step()) {
        const std::uint32_t group = groupNamed(st.columnView(1));
        result.rows.push_back({st.columnInt(0), group, result.counts[group]++});
    }
    std::vector<std::int64_t> first(staged.size());
    for (std::size_t i = 0; i < staged.size(); ++i) {
        first[i] = after + 1;
        after += result.counts[i];
    }
    for (Placements::Row& row : result.rows) {
        row.broj += first[row.group];
    }
    return result;
}

// Appends the staged channels under their groups' joining names and with their numbers, with
// the row ids of the staging plus `offset`.
std::int64_t appendChannels(store::Database& db, const std::vector<std::string>& names,
                            const std::vector<Placements::Row>& rows, std::int64_t offset)
{
    // The rows are asked for in rowid order, as `rows` holds them.
    std::size_t next = 0;
    auto placementOf = [&](std::int64_t rowid) -> const Placements::Row& {
        while (next < rows.size() && rows[next].rowid < rowid) {
            ++next;
        }
        if (next == rows.size() || rows[next].rowid != rowid) {
            throw std::logic_error("the staged channels changed during the merge");
        }
        return rows[next];
    };
    using Result = std::variant<std::int64_t, std::string_view>;
    const store::SqlFunction joiningGroup(
        db, "listrion_joining_group",
        [&](std::int64_t rowid) -> Result { return names[placementOf(rowid).group]; });
    const store::SqlFunction joiningNumber(
        db, "listrion_joining_number",
        [&](std::int64_t rowid) -> Result { return placementOf(rowid).broj; });
    store::ChangeLog& log = db.changeLog();
    const bool recording = log.collecting();
    std::int64_t added = 0;
    {
        const store::HistoryPause pause(db);
        db.prepare("INSERT INTO Playlist (rowid, izberi, grupa, name, tvgname, tvgid, link, logo, "
                   "broj, type, parent_code, extras) SELECT rowid + ?, izberi, "
                   "listrion_joining_group(rowid), name, tvgname, tvgid, link, logo, "
                   "listrion_joining_number(rowid), type, parent_code, extras "
                   "FROM Playlist_Second ORDER BY rowid")
            .bindAll(offset)
            .run();
        added = db.changes();
    }
    if (recording && !rows.empty()) {
        log.addInsertedRange(0, offset + rows.front().rowid, offset + rows.back().rowid);
    }
    return added;
}

} // namespace

MergeResult mergeSecondPlaylist(store::Database& db)
{
    store::Transaction tx(db);
    MergeResult result;
    const std::vector<StagedGroup> staged = stagedGroups(db);
    if (staged.empty()) {
        return result;
    }
    const std::vector<std::string> names = joiningNames(staged, openGroupKeys(db));
    // The open playlist's channels keep their numbers when they follow one another already, as
    // after a load (which starts at 2 under a header line): then only the new rows are written.
    const std::int64_t first =
        std::max<std::int64_t>(1, db.scalarInt("SELECT min(broj) FROM Playlist WHERE broj > 0", 1));
    const std::int64_t after = db.scalarInt("SELECT max(broj) FROM Playlist", 0);
    const Placements placed = placements(db, staged, after);
    std::int64_t broj = db.scalarInt("SELECT max(broj) FROM Grupa", 0);
    store::Statement add =
        db.prepare("INSERT INTO Grupa (izberi, grupa, type, count, broj) VALUES (0, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < staged.size(); ++i) {
        add.bindAll(names[i], staged[i].type, placed.counts[i], ++broj);
        add.run();
        result.renamed += names[i] != staged[i].name ? 1 : 0;
    }
    result.groups = static_cast<std::int64_t>(staged.size());
    const std::int64_t openGroups = db.scalarInt("SELECT count(*) FROM Grupa", 0) - result.groups;
    // The new rows take the ids after the open playlist's last, in the staging's order, so the
    // history keeps them as one range instead of every value of every row.
    const std::int64_t offset = db.scalarInt("SELECT max(rowid) FROM Playlist", 0);
    result.channels = appendChannels(db, names, placed.rows, offset);
    store::renumberGroupsByPosition(db);
    // The channels are numbered afresh, group after group. The staged groups come last and their
    // channels already follow one another from after the open playlist's highest number; they
    // only move when the open playlist's own numbers close up below that.
    const store::LeadingGroupsRenumbered open = store::renumberLeadingGroups(db, first, openGroups);
    if (const std::int64_t shift = open.next - (after + 1); shift != 0 && !placed.rows.empty()) {
        db.prepare("UPDATE Playlist SET broj = broj + ? WHERE rowid BETWEEN ? AND ?")
            .bindAll(shift, offset + placed.rows.front().rowid, offset + placed.rows.back().rowid)
            .run();
    }
    tx.commit();
    return result;
}

} // namespace listrion::tools
