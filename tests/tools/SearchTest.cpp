// The channel search: what matches, in which order, and the ticks of select all.
#include "store/TextCollation.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"
#include "tools/ChannelSearch.h"
#include "tools/SearchIndex.h"

#include <gtest/gtest.h>

namespace listrion::tools {
namespace {

using Names = std::vector<std::string>;

class Search : public ::testing::Test {
protected:
    Names names(const std::vector<std::int64_t>& ids) const
    {
        Names result;
        store::Statement st =
            s.db.prepare("SELECT grupa || '/' || name FROM Playlist WHERE rowid = ?");
        for (std::int64_t id : ids) {
            st.bind(1, id);
            EXPECT_TRUE(st.step());
            result.push_back(st.columnText(0));
            st.reset();
        }
        return result;
    }
    Names find(const std::string& text) const { return names(searchChannels(s.db, text)); }

    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
};

TEST_F(Search, MatchesAnywhereInTheNameWhateverTheLetterCase)
{
    s.group("News", 1);
    s.channel("News", "BBC One HD", 1);
    s.channel("News", "bbc two", 2);
    s.channel("News", "CNN", 3);
    s.channel("News", "The BbC", 4);
    EXPECT_EQ(find(""), Names{});
    EXPECT_EQ(find("bbc"), (Names{"News/BBC One HD", "News/bbc two", "News/The BbC"}));
    EXPECT_EQ(find("C O"), (Names{"News/BBC One HD"}));
    EXPECT_EQ(find("hd "), Names{}); // the text's blanks count
    // Letters beyond ASCII fold as the store compares them.
    s.channel("News", "ČT Šport", 5);
    s.channel("News", "ΕΡΤ Σπορ", 6);
    s.channel("News", "Первый", 7);
    EXPECT_EQ(find("čt š"), (Names{"News/ČT Šport"}));
    EXPECT_EQ(find("σπορ"), (Names{"News/ΕΡΤ Σπορ"}));
    EXPECT_EQ(find("ПЕРВ"), (Names{"News/Первый"}));
    EXPECT_EQ(find("ct"), Names{}); // no letter is stripped of its marks
}

TEST_F(Search, EveryCharacterOfTheTextStandsForItself)
{
    s.group("G", 1);
    for (const char* name : {"100% Hits", "A_B", "AxB", "Star*", "Why?", "[VIP] One", "O'Brien",
                             "#1 Music", "Plain"}) {
        s.channel("G", name, 1);
    }
    const std::pair<const char*, const char*> hits[] = {
        {"%", "G/100% Hits"},     {"a_b", "G/A_B"},   {"*", "G/Star*"},   {"?", "G/Why?"},
        {"[vip]", "G/[VIP] One"}, {"'", "G/O'Brien"}, {"#", "G/#1 Music"}};
    for (const auto& [text, hit] : hits) {
        EXPECT_EQ(find(text), Names{hit}) << text;
    }
}

TEST_F(Search, HitsByGroupNameThenNameThenPosition)
{
    // Group positions do not matter, their names do (in the store's order of text).
    s.group("sport", 1);
    s.group("Alpha", 2);
    s.group("ähnlich", 3);
    s.channel("sport", "Zeta TV", 1);
    s.channel("sport", "alpha tv", 2);
    s.channel("Alpha", "TV b", 3);
    s.channel("Alpha", "tv A", 5);
    s.channel("Alpha", "TV a ", 4); // trailing blanks do not count: position decides
    s.channel("ähnlich", "TV", 6);
    EXPECT_EQ(find("tv"), (Names{"Alpha/TV a ", "Alpha/tv A", "Alpha/TV b", "sport/alpha tv",
                                 "sport/Zeta TV", "ähnlich/TV"}));
    SearchIndex index = SearchIndex::read(s.db);
    EXPECT_EQ(names(index.allByName()), (Names{"sport/alpha tv", "ähnlich/TV", "Alpha/TV a ",
                                               "Alpha/tv A", "Alpha/TV b", "sport/Zeta TV"}));
    EXPECT_EQ(index.find("tv", [] { return true; }), std::nullopt);
}

TEST_F(Search, SelectAllTicksEveryHitAndNothingElse)
{
    // More hits than a grid shows or reads at once: G1.1, G1.10..19, G1.100..199 and the same
    // of G2 contain ".1".
    s.fill({300, 300});
    auto ticked = [this] {
        return s.db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi <> 0", 0);
    };
    EXPECT_EQ(setSearchTicks(s.db, ".1", true), 222);
    EXPECT_EQ(ticked(), 222);
    EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Playlist WHERE izberi <> 0 AND "
                             "instr(name, '.1') = 0",
                             -1),
              0);
    EXPECT_EQ(setSearchTicks(s.db, ".1", true), 0); // ticked already
    EXPECT_EQ(setSearchTicks(s.db, "g2.1", false), 111);
    EXPECT_EQ(ticked(), 111);
    EXPECT_EQ(setSearchTicks(s.db, "", true), 0);
}

} // namespace
} // namespace listrion::tools
