#include "store/BlockMoves.h"
#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/PositionSwaps.h"
#include "store/SelectedSteps.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace listrion::store {
namespace {

using Rows = std::vector<std::int64_t>;
using Group = std::optional<std::string>;

// The moves as their algorithms describe them: each step opens the record set it names (taken
// as the list of rows at that moment) and edits one row at a time, through the scratch values.
class RowByRow {
public:
    explicit RowByRow(Database& db) : m_db(db) {}

    // Rows of `table` (of one group when `grupa` is set) passing `where` (?2 is `value`).
    Rows rows(const std::string& table, const Group& grupa, const std::string& where,
              const std::string& order, std::int64_t value = 0) const
    {
        Statement st = m_db.prepare("SELECT rowid FROM " + table +
                                    " WHERE (?1 IS NULL OR grupa = "
                                    "?1) AND " +
                                    where + " ORDER BY " + order);
        grupa ? st.bind(1, *grupa) : st.bindNull(1);
        if (where.find("?2") != std::string::npos) {
            st.bind(2, value);
        }
        Rows found;
        while (st.step()) {
            found.push_back(st.columnInt(0));
        }
        return found;
    }
    std::int64_t get(const std::string& table, const char* column, std::int64_t rowid) const
    {
        return m_db.scalarInt(
            "SELECT " + std::string(column) + " FROM " + table + " WHERE rowid = ?", 0, rowid);
    }
    void set(const std::string& table, std::int64_t rowid, std::int64_t broj)
    {
        m_db.prepare("UPDATE " + table + " SET broj = ? WHERE rowid = ?")
            .bindAll(broj, rowid)
            .run();
    }
    std::int64_t firstAt(const std::string& table, const Group& grupa, std::int64_t broj) const
    {
        const Rows found = rows(table, grupa, "broj = ?2", "rowid", broj);
        return found.empty() ? 0 : found.front();
    }

    void swap(const std::string& table, std::int64_t scratch, std::int64_t b, std::int64_t to)
    {
        set(table, firstAt(table, {}, to), scratch);
        set(table, firstAt(table, {}, b), to);
        set(table, firstAt(table, {}, scratch), b);
    }

    std::optional<std::int64_t> upAll(const std::string& g)
    {
        const Rows walk = rows("Playlist", g, "1", "broj, rowid");
        const std::int64_t first = get("Playlist", "broj", walk.front());
        std::optional<std::int64_t> stored;
        std::int64_t remembered = 0;
        for (std::size_t pos = 0; pos < walk.size(); ++pos) {
            const std::int64_t b = get("Playlist", "broj", walk[pos]);
            if (get("Playlist", "izberi", walk[pos]) != 0 && b > first) {
                if (remembered == 0) {
                    stored = remembered = static_cast<std::int64_t>(pos) - 1;
                }
                set("Playlist", firstAt("Playlist", g, b - 1), b);
                set("Playlist", walk[pos], b - 1);
            }
        }
        return stored;
    }

    std::optional<std::int64_t> downAll(const std::string& g)
    {
        const std::int64_t last = get("Playlist", "broj", rows("Playlist", g, "1", "rowid").back());
        const Rows walk = rows("Playlist", g, "1", "broj DESC, rowid DESC");
        std::optional<std::int64_t> stored;
        for (std::size_t k = 1; k <= walk.size(); ++k) {
            const std::int64_t row = walk[k - 1];
            const std::int64_t b = get("Playlist", "broj", row);
            if (get("Playlist", "izberi", row) == 0 || b >= last) {
                continue;
            }
            if (!stored) {
                stored = static_cast<std::int64_t>(walk.size() - k + 1);
            }
            if (const std::int64_t below = firstAt("Playlist", g, b + 1)) {
                set("Playlist", below, b);
                set("Playlist", row, b + 1);
            }
        }
        return stored;
    }

    void number(const std::string& table, const Rows& rows, std::int64_t first)
    {
        for (std::int64_t row : rows) {
            set(table, row, first++);
        }
    }

    void toTop(const std::string& table, const Group& g)
    {
        const std::int64_t first = get(table, "broj", rows(table, g, "1", "broj, rowid").front());
        const Rows ticked = rows(table, g, "izberi <> 0", "broj, rowid");
        for (std::int64_t row : ticked) {
            set(table, row, 0);
        }
        number(table, rows(table, g, "broj <> 0", "broj, rowid"),
               first + static_cast<std::int64_t>(ticked.size()));
        number(table, rows(table, g, "broj = 0", "rowid"), first);
        m_db.exec("UPDATE " + table + " SET izberi = 0");
    }

    void toBottom(const std::string& table, const Group& g)
    {
        const Rows all = rows(table, g, "1", "broj, rowid");
        const std::int64_t first = get(table, "broj", all.front());
        const std::int64_t last = get(table, "broj", all.back());
        for (std::int64_t row : rows(table, g, "izberi <> 0", "broj, rowid")) {
            set(table, row, 0);
        }
        number(table, rows(table, g, "broj <> 0", "broj, rowid"), first > 0 ? first : first + 1);
        number(table, rows(table, g, "broj = 0", "rowid"), last + 1);
        number(table, rows(table, g, "broj <> 0", "broj, rowid"), first > 0 ? first : first + 1);
        m_db.exec("UPDATE " + table + " SET izberi = 0");
    }

    void renumberAll()
    {
        std::int64_t counter = 0;
        for (std::int64_t group : rows("Grupa", {}, "1", "broj, rowid")) {
            Statement name = m_db.prepare("SELECT grupa FROM Grupa WHERE rowid = ?");
            name.bind(1, group);
            name.step();
            for (std::int64_t row : rows("Playlist", name.columnText(0), "1", "broj, rowid")) {
                set("Playlist", row, ++counter);
            }
        }
    }

private:
    Database& m_db;
};

// Same random store in both folders: groups of 0..7 channels, numbered as after loading.
void build(test::PlaylistStore& s, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<int> sizes(2 + rng() % 5);
    for (int& size : sizes) {
        size = static_cast<int>(rng() % 8);
    }
    s.fill(sizes);
    s.db.exec("UPDATE Grupa SET type = CASE WHEN broj % 3 = 0 THEN 'VOD' ELSE 'Live' END");
}

std::string pickGroup(Database& db, std::mt19937& rng, bool withChannels)
{
    Statement st = db.prepare(withChannels ? "SELECT DISTINCT grupa FROM Playlist ORDER BY 1"
                                           : "SELECT grupa FROM Grupa ORDER BY broj");
    std::vector<std::string> names;
    while (st.step()) {
        names.push_back(st.columnText(0));
    }
    return names.empty() ? "" : names[rng() % names.size()];
}

void checkInvariants(Database& db)
{
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE broj <= 0 OR broj IS NULL", -1) +
                  db.scalarInt("SELECT count(*) FROM Grupa WHERE broj <= 0 OR broj IS NULL", -1),
              0);
    EXPECT_EQ(db.scalarInt("SELECT count(DISTINCT broj) - count(*) FROM Playlist", -1), 0);
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM (SELECT grupa FROM Playlist GROUP BY grupa "
                           "HAVING max(broj) - min(broj) + 1 <> count(*))",
                           -1),
              0);
    EXPECT_EQ(db.scalarInt("SELECT count(DISTINCT broj) = max(broj) AND count(*) = max(broj) "
                           "FROM Grupa",
                           0),
              1);
}

void tickRandomly(Database& a, Database& b, std::mt19937& rng)
{
    for (const std::string table : {"Playlist", "Grupa"}) {
        for (std::int64_t row : RowByRow(a).rows(table, {}, "1", "rowid")) {
            const bool ticked = rng() % 3 == 0;
            for (Database* db : {&a, &b}) {
                db->prepare("UPDATE " + table + " SET izberi = ? WHERE rowid = ?")
                    .bindAll(ticked, row)
                    .run();
            }
        }
    }
}

// One channel one place up or down, unless it is at that end of its group (the caller's test).
std::string stepChannel(Database& a, RowByRow& ref, const std::string& g, std::mt19937& rng)
{
    const Rows group = ref.rows("Playlist", g, "1", "broj, rowid");
    const std::size_t pos = rng() % group.size();
    const bool up = rng() % 2 == 0;
    if ((up && pos == 0) || (!up && pos + 1 == group.size())) {
        return "channel at the end";
    }
    const std::int64_t b = ref.get("Playlist", "broj", group[pos]);
    up ? Pozicija_Nova_Gore(a, b) : Pozicija_Nova_Dole(a, b);
    ref.swap("Playlist", 0, b, up ? b - 1 : b + 1);
    return up ? "channel up" : "channel down";
}

std::string stepGroup(Database& a, RowByRow& ref, std::mt19937& rng)
{
    const Rows groups = ref.rows("Grupa", {}, "1", "broj, rowid");
    const std::size_t pos = rng() % groups.size();
    const std::int64_t b = ref.get("Grupa", "broj", groups[pos]);
    if (rng() % 2 == 0 && pos > 0) {
        Pozicija_Nova_Gore_Grupa(a, b);
        ref.swap("Grupa", -1, b, b - 1);
        return "group up";
    }
    if (pos + 1 < groups.size()) {
        Pozicija_Nova_Dole_Grupa(a, b);
        ref.swap("Grupa", -1, b, b + 1);
    }
    return "group down";
}

// A channel moves to another group and all channels are renumbered.
std::string moveToGroup(Database& a, RowByRow& ref, Database& b, std::mt19937& rng)
{
    const Rows channels = ref.rows("Playlist", {}, "1", "rowid");
    const std::int64_t row = channels[rng() % channels.size()];
    const std::string target = pickGroup(a, rng, false);
    for (Database* db : {&a, &b}) {
        db->prepare("UPDATE Playlist SET grupa = ? WHERE rowid = ?").bindAll(target, row).run();
    }
    Zapisi_Nove_Brojeve(a);
    ref.renumberAll();
    return "move to group";
}

// One random command as a window would run it, on the store and on the reference.
std::string step(Database& a, RowByRow& ref, Database& b, std::mt19937& rng)
{
    const std::string g = pickGroup(a, rng, true);
    const unsigned choice = g.empty() ? 0 : rng() % 9;
    switch (choice) {
    case 0:
        tickRandomly(a, b, rng);
        return "tick";
    case 1:
        return stepChannel(a, ref, g, rng);
    case 2:
        return stepGroup(a, ref, rng);
    case 3:
        EXPECT_EQ(Pozicija_Nova_Gore_Sve(a, g).rememberedRow, ref.upAll(g));
        return "ticked up";
    case 4:
        EXPECT_EQ(Pozicija_Nova_Dole_Sve(a, g).rememberedRow, ref.downAll(g));
        return "ticked down";
    case 5:
    case 7: {
        const bool channels = choice == 5;
        const Group which = channels ? Group(g) : Group();
        if (rng() % 2 == 0) {
            channels ? Premakni_Sve_Na_Vrh(a, g) : Premakni_Sve_Na_Vrh_Grupa(a);
            ref.toTop(channels ? "Playlist" : "Grupa", which);
            return channels ? "block to top" : "groups to top";
        }
        channels ? Premakni_Sve_Na_Dno(a, g) : Premakni_Sve_Na_Dno_Grupa(a);
        ref.toBottom(channels ? "Playlist" : "Grupa", which);
        return channels ? "block to bottom" : "groups to bottom";
    }
    case 6:
        return moveToGroup(a, ref, b, rng);
    default:
        Zapisi_Nove_Brojeve_Grupa(a);
        ref.number("Grupa", ref.rows("Grupa", {}, "1", "type, broj, rowid"), 1);
        return "group numbering";
    }
}

TEST(MovesProperty, RandomMovesMatchTheRowByRowAlgorithmsAndKeepPositionsSound)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        test::TempFolder folder;
        test::PlaylistStore a(folder.file("a.mdb"));
        test::PlaylistStore b(folder.file("b.mdb"));
        for (test::PlaylistStore* s : {&a, &b}) {
            build(*s, seed);
            s->db.exec("PRAGMA synchronous=OFF");
        }
        RowByRow ref(b.db);
        std::mt19937 rng(seed);
        for (int i = 0; i < 60; ++i) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(i));
            const std::string what = step(a.db, ref, b.db, rng);
            for (const char* table : {"Playlist", "Grupa"}) {
                for (const char* column : {"broj", "izberi"}) {
                    ASSERT_EQ(a.column(table, column), b.column(table, column))
                        << table << "." << column << " after " << what;
                }
            }
            checkInvariants(a.db);
            ASSERT_FALSE(HasFailure());
        }
    }
}

} // namespace
} // namespace listrion::store
