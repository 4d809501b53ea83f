#include "store/BlockMoves.h"
#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/OrderingError.h"
#include "store/PositionSwaps.h"
#include "store/SelectedSteps.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>

namespace listrion::store {
namespace {

using Names = std::vector<std::string>;
using Numbers = std::vector<std::int64_t>;

class Moves : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore s{folder.file("data.mdb")};
    Database& db = s.db;

    void tick(const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            db.prepare("UPDATE Playlist SET izberi = 1 WHERE name = ?").bindAll(name).run();
        }
    }
    std::int64_t ticked() { return db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi", 0); }
    OrderingError::Kind failure(const std::function<void()>& move)
    {
        const Numbers before = s.column("Playlist", "broj");
        const Numbers groupsBefore = s.column("Grupa", "broj");
        try {
            move();
        } catch (const OrderingError& e) {
            EXPECT_EQ(s.column("Playlist", "broj"), before);
            EXPECT_EQ(s.column("Grupa", "broj"), groupsBefore);
            return e.kind();
        }
        ADD_FAILURE() << "the move did not fail";
        return OrderingError::Kind::NoPosition;
    }
};

TEST_F(Moves, SwapsStopAtTheEndsAndFailWithoutANeighbour)
{
    s.fill({2, 3, 1});
    // The swaps themselves are compared with the row-by-row algorithms in MovesProperty below.
    EXPECT_FALSE(Pozicija_Nova_Gore_Grupa(db, 1)); // the first group stays
    EXPECT_EQ(s.groups(), (Names{"G1", "G2", "G3"}));

    // A missing neighbour or a position out of the integer range changes nothing.
    db.exec("UPDATE Playlist SET broj = broj + 10 WHERE broj > 3");
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole(db, 3); }), OrderingError::Kind::MissingRow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore(db, 14); }), OrderingError::Kind::MissingRow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole_Grupa(db, 3); }), OrderingError::Kind::MissingRow);
    db.exec("UPDATE Grupa SET broj = 32767 WHERE broj = 3");
    EXPECT_EQ(failure([&] { Pozicija_Nova_Dole_Grupa(db, 32767); }), OrderingError::Kind::Overflow);
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore_Grupa(db, 40000); }), OrderingError::Kind::Overflow);
    // Channel positions go well past the group range.
    db.exec("UPDATE Playlist SET broj = broj + 40000 WHERE broj > 13");
    Pozicija_Nova_Gore(db, 40015);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.2"}));
    Pozicija_Nova_Dole(db, 40014);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.2", "G2.3"}));
}

TEST_F(Moves, TickedChannelsStepUpAsBlocks)
{
    s.fill({3, 6});
    tick({"G2.3", "G2.4", "G2.6", "G1.3"});
    const SelectedStep up = Pozicija_Nova_Gore_Sve(db, "g2");
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.4", "G2.2", "G2.6", "G2.5"}));
    EXPECT_EQ(up.rememberedRow, 1); // G2.3 now stands in row 1
    EXPECT_EQ(up.moved, 3);
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.2", "G1.3"})); // other groups stay
    EXPECT_EQ(ticked(), 4);
    // The group's first row ticked alone: nothing moves, no row is remembered.
    db.exec("UPDATE Playlist SET izberi = 0");
    tick({"G2.1"});
    EXPECT_FALSE(Pozicija_Nova_Gore_Sve(db, "G2").rememberedRow);
    EXPECT_EQ(s.names("G2"), (Names{"G2.1", "G2.3", "G2.4", "G2.2", "G2.6", "G2.5"}));

    db.exec("UPDATE Playlist SET broj = broj + 1 WHERE name = 'G2.5'");
    tick({"G2.5"});
    EXPECT_EQ(failure([&] { Pozicija_Nova_Gore_Sve(db, "G2"); }), OrderingError::Kind::MissingRow);
}

TEST_F(Moves, TickedChannelsStepDownBelowTheLastStoredChannel)
{
    s.fill({5});
    tick({"G1.2", "G1.3"});
    SelectedStep down = Pozicija_Nova_Dole_Sve(db, "G1");
    EXPECT_EQ(s.names(), (Names{"G1.1", "G1.4", "G1.2", "G1.3", "G1.5"}));
    EXPECT_EQ(down.rememberedRow, 3); // G1.3 now stands in row 3

    // Only channels above the position of the group's last channel in store order move: here
    // G1.5 (the last row stored) stands at position 3.
    db.exec(
        "UPDATE Playlist SET izberi = 0; UPDATE Playlist SET broj = 8 - broj WHERE broj IN (3, 5)");
    ASSERT_EQ(s.names(), (Names{"G1.1", "G1.4", "G1.5", "G1.3", "G1.2"}));
    tick({"G1.1", "G1.5", "G1.3"});
    down = Pozicija_Nova_Dole_Sve(db, "G1");
    EXPECT_EQ(s.names(), (Names{"G1.4", "G1.1", "G1.5", "G1.3", "G1.2"}));
    EXPECT_EQ(down.rememberedRow, 1);
    EXPECT_EQ(down.moved, 1);
}

TEST_F(Moves, BlockMovesKeepTheGroupRangeAndClearAllTicks)
{
    s.fill({2, 0, 0});
    s.channel("G2", "e", 7, true);
    s.channel("G2", "d", 8);
    s.channel("G2", "c", 5, true);
    s.channel("G2", "b", 4);
    s.channel("G2", "a", 3);
    s.channel("G3", "x", 9, true);
    BlockMove top = Premakni_Sve_Na_Vrh(db, "G2");
    // The block in store order from the group's first position, the others after it.
    EXPECT_EQ(s.names("G2"), (Names{"e", "c", "a", "b", "d"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 3, 7, 4, 6, 5, 9}));
    EXPECT_EQ(top.moved, 2);
    EXPECT_EQ(ticked(), 0); // the tick of the other group too

    tick({"a", "e"});
    const BlockMove bottom = Premakni_Sve_Na_Dno(db, "G2");
    EXPECT_EQ(s.names("G2"), (Names{"c", "b", "d", "e", "a"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 6, 5, 3, 4, 7, 9}));
    EXPECT_EQ(bottom.moved, 2);

    // A range starting at 0 is numbered from 1: the row at 0 itself joins the block.
    db.exec("UPDATE Playlist SET broj = broj - 3 WHERE grupa = 'G2'");
    tick({"d"});
    Premakni_Sve_Na_Dno(db, "G2");
    EXPECT_EQ(s.names("G2"), (Names{"b", "e", "a", "d", "c"}));
    EXPECT_EQ(s.column("Playlist", "broj"), (Numbers{1, 2, 2, 4, 5, 1, 3, 9}));
}

TEST_F(Moves, TickedGroupsMoveAsOneBlockWhateverTheirType)
{
    s.group("Live1", 1, "Live");
    s.group("Vod1", 3, "VOD", true);
    s.group("Live2", 2, "Live");
    s.group("Radio1", 4, "Radio", true);
    EXPECT_EQ(Premakni_Sve_Na_Vrh_Grupa(db).moved, 2);
    EXPECT_EQ(s.groups(), (Names{"Vod1", "Radio1", "Live1", "Live2"}));
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa WHERE izberi", -1), 0);
    db.exec("UPDATE Grupa SET izberi = 1 WHERE grupa IN ('Live1', 'Vod1')");
    Premakni_Sve_Na_Dno_Grupa(db);
    EXPECT_EQ(s.groups(), (Names{"Radio1", "Live2", "Live1", "Vod1"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (Numbers{3, 4, 2, 1}));
}

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
        Statement st =
            m_db.prepare("SELECT rowid FROM " + table + " WHERE (?1 IS NULL OR grupa = ?1) AND " +
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
        std::int64_t remembered = 0; // 0 stands for "none yet", as in the algorithm
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
            const std::int64_t b = get("Playlist", "broj", walk[k - 1]);
            if (get("Playlist", "izberi", walk[k - 1]) == 0 || b >= last) {
                continue;
            }
            stored = stored.value_or(static_cast<std::int64_t>(walk.size() - k + 1));
            if (const std::int64_t below = firstAt("Playlist", g, b + 1)) {
                set("Playlist", below, b);
                set("Playlist", walk[k - 1], b + 1);
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

    // The ticked rows of a group (or of the groups) to its top or its bottom.
    void toEnd(const std::string& table, const Group& g, bool top)
    {
        const Rows all = rows(table, g, "1", "broj, rowid");
        const std::int64_t first = get(table, "broj", all.front());
        const std::int64_t last = get(table, "broj", all.back());
        const Rows ticked = rows(table, g, "izberi <> 0", "broj, rowid");
        for (std::int64_t row : ticked) {
            set(table, row, 0);
        }
        if (top) {
            number(table, rows(table, g, "broj <> 0", "broj, rowid"),
                   first + static_cast<std::int64_t>(ticked.size()));
            number(table, rows(table, g, "broj = 0", "rowid"), first);
        } else {
            const std::int64_t from = first > 0 ? first : first + 1;
            number(table, rows(table, g, "broj <> 0", "broj, rowid"), from);
            number(table, rows(table, g, "broj = 0", "rowid"), last + 1);
            number(table, rows(table, g, "broj <> 0", "broj, rowid"), from);
        }
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

// One random command as a window would run it, on the store `a` and, by the reference, on `b`.
std::string step(test::PlaylistStore& a, test::PlaylistStore& b, std::mt19937& rng)
{
    RowByRow ref(b.db);
    // A change a command does not make (ticks, a channel's group) goes into both stores.
    const auto both = [&](const std::string& sql, const auto&... args) {
        for (test::PlaylistStore* s : {&a, &b}) {
            s->db.prepare(sql).bindAll(args...).run();
        }
    };
    const std::string g = pickGroup(a.db, rng, true);
    const unsigned choice = g.empty() ? 0 : rng() % 9;
    const bool channels = choice % 2 == 1;
    const std::string table = channels ? "Playlist" : "Grupa";
    switch (choice) {
    case 0:
        for (const std::string t : {"Playlist", "Grupa"}) {
            for (std::int64_t row : ref.rows(t, {}, "1", "rowid")) {
                both("UPDATE " + t + " SET izberi = ? WHERE rowid = ?", rng() % 3 == 0, row);
            }
        }
        return "tick";
    case 1:
    case 2: {
        // One row one place up or down, unless it is at that end.
        const Rows all = ref.rows(table, channels ? Group(g) : Group(), "1", "broj, rowid");
        const std::size_t pos = rng() % all.size();
        const bool up = rng() % 2 == 0;
        if (up ? pos == 0 : pos + 1 == all.size()) {
            return "a row at the end";
        }
        const std::int64_t n = ref.get(table, "broj", all[pos]);
        if (channels) {
            up ? Pozicija_Nova_Gore(a.db, n) : Pozicija_Nova_Dole(a.db, n);
        } else if (up) {
            Pozicija_Nova_Gore_Grupa(a.db, n);
        } else {
            Pozicija_Nova_Dole_Grupa(a.db, n);
        }
        ref.swap(table, channels ? 0 : -1, n, up ? n - 1 : n + 1);
        return table + (up ? " row up" : " row down");
    }
    case 3:
        EXPECT_EQ(Pozicija_Nova_Gore_Sve(a.db, g).rememberedRow, ref.upAll(g));
        return "ticked up";
    case 4:
        EXPECT_EQ(Pozicija_Nova_Dole_Sve(a.db, g).rememberedRow, ref.downAll(g));
        return "ticked down";
    case 5:
    case 6: {
        const bool top = rng() % 2 == 0;
        if (channels) {
            top ? Premakni_Sve_Na_Vrh(a.db, g) : Premakni_Sve_Na_Dno(a.db, g);
        } else {
            top ? Premakni_Sve_Na_Vrh_Grupa(a.db) : Premakni_Sve_Na_Dno_Grupa(a.db);
        }
        ref.toEnd(table, channels ? Group(g) : Group(), top);
        return table + (top ? " block to top" : " block to bottom");
    }
    case 7: {
        const Rows all = ref.rows("Playlist", {}, "1", "rowid");
        both("UPDATE Playlist SET grupa = ? WHERE rowid = ?", pickGroup(a.db, rng, false),
             all[rng() % all.size()]);
        a.recount();
        Zapisi_Nove_Brojeve(a.db);
        ref.renumberAll();
        return "move to group";
    }
    default:
        Zapisi_Nove_Brojeve_Grupa(a.db);
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
        std::mt19937 rng(seed);
        // The same store twice: groups of 0..7 channels, numbered and counted as after loading.
        std::vector<int> sizes(2 + rng() % 5);
        for (int& size : sizes) {
            size = static_cast<int>(rng() % 8);
        }
        for (test::PlaylistStore* s : {&a, &b}) {
            s->fill(sizes);
            s->recount();
            s->db.exec("PRAGMA synchronous=OFF; UPDATE Grupa SET type = CASE WHEN broj % 3 = 0 "
                       "THEN 'VOD' ELSE 'Live' END");
        }
        for (int i = 0; i < 60; ++i) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(i));
            const std::string what = step(a, b, rng);
            for (const char* table : {"Playlist", "Grupa"}) {
                for (const char* column : {"broj", "izberi"}) {
                    ASSERT_EQ(a.column(table, column), b.column(table, column))
                        << table << "." << column << " after " << what;
                }
            }
            // Channel positions above 0; the store's rules on numbers and counts.
            EXPECT_EQ(a.db.scalarInt("SELECT count(*) FROM Playlist WHERE ifnull(broj, 0) < 1", -1),
                      0);
            ASSERT_EQ(a.problems(), std::vector<std::string>{}) << what;
        }
    }
}

} // namespace
} // namespace listrion::store
