// The steps of the regional restructuring that rebuild the groups: keeping the chosen ones,
// new groups, renaming, the channel rules and the keyword positions.
#include "tools/Restructuring.h"

#include "store/Database.h"
#include "store/NumberWriter.h"
#include "store/TextCollation.h"
#include "text/LetterCase.h"

#include <array>
#include <unordered_set>

namespace listrion::tools {
namespace {

// The keyword groups in the order of their fixed positions 1..11.
constexpr std::array<std::string_view, 11> kKeywordGroups = {
    "sport klub", "arena sport", "pink",    "filmski", "dokumentarni", "muzika",
    "djeciji",    "srbija",      "croatia", "bosna",   "slovenija"};
constexpr std::int64_t kLastKeywordPosition = 11;

// The stored spelling of a group's name, if the group has a row.
std::optional<std::string> storedName(const store::Database& db, std::string_view name)
{
    store::Statement st = db.prepare("SELECT grupa FROM Grupa WHERE grupa = ? ORDER BY rowid");
    st.bind(1, name);
    return st.step() ? std::optional<std::string>(st.columnText(0)) : std::nullopt;
}

std::int64_t lastPosition(const store::Database& db)
{
    return db.scalarInt("SELECT max(broj) FROM Grupa", 0);
}

void addLiveGroup(store::Database& db, std::string_view name, std::int64_t broj)
{
    db.prepare("INSERT INTO Grupa (izberi, grupa, type, count, broj) VALUES (0, ?, 'Live', 0, ?)")
        .bindAll(name, broj)
        .run();
}

} // namespace

std::int64_t Izbrisi_Skupine(store::Database& db, const std::vector<std::string>& chosen)
{
    if (chosen.empty()) {
        return 0;
    }
    // The chosen names go into a table of the connection, so one statement per table deletes
    // whatever is not among them, with the store's comparison of names.
    db.exec(std::string("CREATE TEMP TABLE IF NOT EXISTS listrion_kept (grupa TEXT COLLATE ") +
            store::kTextCollation + " PRIMARY KEY); DELETE FROM temp.listrion_kept;");
    store::Statement keep = db.prepare("INSERT OR IGNORE INTO temp.listrion_kept VALUES (?)");
    for (const std::string& name : chosen) {
        keep.bind(1, name);
        keep.run();
        keep.reset();
    }
    db.exec("DELETE FROM Playlist WHERE grupa NOT IN (SELECT grupa FROM temp.listrion_kept)");
    const std::int64_t deleted = db.changes();
    db.exec("DELETE FROM Grupa WHERE grupa NOT IN (SELECT grupa FROM temp.listrion_kept);"
            "DROP TABLE temp.listrion_kept;");
    return deleted;
}

std::int64_t Kreiraj_Nove_Skupine(store::Database& db, const std::vector<std::string>& names)
{
    std::unordered_set<std::string> taken;
    store::Statement groups = db.prepare("SELECT grupa FROM Grupa");
    while (groups.step()) {
        taken.insert(store::foldKey(groups.columnView(0)));
    }
    groups.reset();
    std::int64_t n = lastPosition(db);
    std::int64_t added = 0;
    for (const std::string& name : names) {
        // A second row of a name would make two groups of one identity: the rule is met by the
        // group that is there.
        if (!taken.insert(store::foldKey(name)).second) {
            continue;
        }
        addLiveGroup(db, name, ++n);
        ++added;
    }
    return added;
}

std::int64_t renameGroups(store::Database& db,
                          const std::vector<std::pair<std::string, std::string>>& renames)
{
    std::int64_t renamed = 0;
    store::Statement channels = db.prepare("UPDATE Playlist SET grupa = ?2 WHERE grupa = ?1");
    for (const auto& [from, to] : renames) {
        const std::optional<std::string> other =
            store::foldKey(from) == store::foldKey(to) ? std::nullopt : storedName(db, to);
        channels.bindAll(from, other.value_or(to));
        channels.run();
        channels.reset();
        if (other) {
            db.prepare("DELETE FROM Grupa WHERE grupa = ?").bindAll(from).run();
        } else {
            db.prepare("UPDATE Grupa SET grupa = ?2 WHERE grupa = ?1").bindAll(from, to).run();
        }
        renamed += db.changes();
    }
    return renamed;
}

std::int64_t Popravi_Grupe(store::Database& db, const std::vector<ChannelRule>& rules)
{
    std::int64_t moved = 0;
    store::Statement move = db.prepare("UPDATE Playlist SET grupa = ?3, name = ?4, tvgname = ?4, "
                                       "type = 'Live' WHERE grupa = ?1 AND name = ?2");
    for (const ChannelRule& rule : rules) {
        std::optional<std::string> target = storedName(db, rule.grupa2);
        if (!target && db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ? AND name = ?", 0,
                                    rule.grupa1, rule.ime1) > 0) {
            addLiveGroup(db, rule.grupa2, lastPosition(db) + 1);
            target = rule.grupa2;
        }
        if (!target) {
            continue;
        }
        move.bindAll(rule.grupa1, rule.ime1, *target, rule.ime2);
        move.run();
        move.reset();
        moved += db.changes();
    }
    return moved;
}

int DolociBroj(std::string_view name)
{
    const std::string lower = text::lowerCase(name);
    for (std::size_t i = 0; i < kKeywordGroups.size(); ++i) {
        if (lower == kKeywordGroups[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

std::optional<std::int64_t> RotirajStevilko(store::Database& db, std::int64_t p)
{
    store::Statement holder = db.prepare("SELECT rowid FROM Grupa WHERE broj = ? LIMIT 1");
    auto held = [&holder](std::int64_t position) {
        holder.reset();
        holder.bind(1, position);
        return holder.step();
    };
    if (!held(p)) {
        return std::nullopt;
    }
    const std::int64_t occupant = holder.columnInt(0);
    std::int64_t q = p + 1;
    while (q <= kLastKeywordPosition && held(q)) {
        ++q;
    }
    if (q > kLastKeywordPosition) {
        for (q = kLastKeywordPosition + 1; held(q); ++q) {
        }
    }
    holder.reset();
    db.prepare("UPDATE Grupa SET broj = ? WHERE rowid = ?").bindAll(q, occupant).run();
    return q;
}

void placeKeywordGroup(store::Database& db, std::string_view name, std::int64_t p)
{
    RotirajStevilko(db, p);
    db.prepare("UPDATE Grupa SET broj = ? WHERE grupa = ?").bindAll(p, name).run();
}

void Odredi_Brojeve_Skupina(store::Database& db)
{
    std::vector<std::pair<std::string, int>> keywordGroups;
    store::Statement groups = db.prepare("SELECT grupa FROM Grupa ORDER BY rowid");
    while (groups.step()) {
        if (const int p = DolociBroj(groups.columnView(0)); p > 0) {
            keywordGroups.emplace_back(groups.columnText(0), p);
        }
    }
    groups.reset();
    // Every group first moves above the keyword positions, keeping its order: the keyword
    // groups then take their positions without pushing another group between them, and lead
    // the list once the gaps are closed, the others following in their order.
    db.exec("UPDATE Grupa SET broj = broj + 11");
    for (const auto& [name, p] : keywordGroups) {
        placeKeywordGroup(db, name, p);
    }
    // PopraviZaporedje: 1..n in position order.
    store::Statement order = db.prepare("SELECT rowid, broj FROM Grupa ORDER BY broj, rowid");
    store::PositionCounter counter(1);
    store::NumberWriter writer(db, "Grupa");
    writer.numberRows(order, counter);
    writer.write();
}

} // namespace listrion::tools
