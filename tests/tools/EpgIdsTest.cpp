// EPG ids of a group: keys from channel names, the cleaned tvg-names and search texts, and the
// derive, clear and replace commands on a store, each one step of the history.
#include "tools/EpgIds.h"

#include "store/History.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::tools {
namespace {

TEST(EpgIds, KeysAndSearchTextsFollowTheNameRules)
{
    EXPECT_EQ(epgKey("Nova TV HD"), "novatv");
    EXPECT_EQ(epgKey("Arena Sport 1 (BiH)"), "arenasport1");
    EXPECT_EQ(epgKey("RTL Kockica (HR)"), "rtlkockica");
    // Letters beyond ASCII are lowered before they become plain ones.
    EXPECT_EQ(epgKey("Šport & Život - Đak Ćevap Č"), "sportandzivotdjakcevapc");
    // Suffixes are removed only as spelled.
    EXPECT_EQ(epgKey("Kino hD Srb"), "kinohd");

    EXPECT_EQ(cleanedEpgTvgName("Nova TV FHD (HR)"), "Nova TV ");
    EXPECT_EQ(cleanedEpgTvgName("Sport 2 Hd (Sr)"), "Sport 2");
    EXPECT_EQ(lookupText("HRT 1 HD hr"), "HRT 1");
    EXPECT_EQ(onlineLookupText("Pink Sr Slo"), "Pink");
    const std::string address = lookupAddress("Food & Wine TV");
    EXPECT_TRUE(address.ends_with("/available-channels?term=Food+%26+Wine+TV")) << address;
    EXPECT_TRUE(countryCodesAddress().ends_with("/codes/"));

    for (const char* none : {"", "ext", "EXT", "Null", "null"}) {
        EXPECT_TRUE(lacksEpgId(none)) << none;
    }
    EXPECT_FALSE(lacksEpgId("ext.hr"));
}

class EpgStore : public ::testing::Test {
protected:
    EpgStore()
    {
        s.group("Croatia", 1);
        s.group("Other", 2);
        s.channel("Other", "Other One", 1);
        s.channel("Croatia", "Nova TV HD", 2);
        s.channel("Croatia", "HRT 1", 3);
        s.channel("Croatia", "RTL Kockica (HR)", 4);
        s.channel("Croatia", "Doma TV", 5);
        s.channel("Croatia", "Arena Sport 1 (BiH)", 6);
        s.db.exec("UPDATE Playlist SET tvgid = '' WHERE name = 'Other One';"
                  "UPDATE Playlist SET tvgid = 'EXT' WHERE name = 'HRT 1';"
                  "UPDATE Playlist SET tvgid = 'Null' WHERE name = 'RTL Kockica (HR)';"
                  "UPDATE Playlist SET tvgid = 'doma.hr' WHERE name = 'Doma TV';"
                  "UPDATE Playlist SET tvgid = NULL WHERE name LIKE 'Arena%'");
        store::History::clear(s.db);
    }
    std::vector<std::string> ids() const
    {
        return s.texts("SELECT coalesce(tvgid, 'NULL') FROM Playlist ORDER BY broj");
    }

    test::TempFolder home;
    test::PlaylistStore s{home.path() / "data.mdb"};
};

TEST_F(EpgStore, DeriveFillsMissingIdsOfTheGroupAndClearMakesThemMissingAgain)
{
    const DerivedEpgIds derived = deriveEpgIds(s.db, "croatia", "hr");
    EXPECT_EQ(derived.ids, 4);
    EXPECT_EQ(derived.tvgNames, 2); // Nova TV HD, RTL Kockica (HR)
    EXPECT_EQ(ids(), (std::vector<std::string>{"", "novatv.hr", "hrt1.hr", "rtlkockica.hr",
                                               "doma.hr", "arenasport1.hr"}));
    EXPECT_EQ(s.texts("SELECT tvgname FROM Playlist WHERE name = 'Nova TV HD'").front(), "Nova TV");

    EXPECT_EQ(clearEpgIds(s.db, "Croatia"), 5);
    EXPECT_EQ(deriveEpgIds(s.db, "Croatia", "ba").ids, 5);
    EXPECT_EQ(ids()[4], "domatv.ba");
    EXPECT_EQ(deriveEpgIds(s.db, "No such group", "ba").ids, 0);
    EXPECT_EQ(deriveEpgIds(s.db, "Croatia", "").ids, 0);
}

TEST_F(EpgStore, ReplaceCountsLetterCaseAndEachCommandIsOneUndoableStep)
{
    s.db.exec("UPDATE Playlist SET tvgid = 'a.hr.HR' WHERE name = 'HRT 1'");
    store::History::clear(s.db);
    EXPECT_EQ(replaceInEpgIds(s.db, "Croatia", ".hr", ".ba"), 2);
    EXPECT_EQ(ids(), (std::vector<std::string>{"", "ext", "a.ba.HR", "Null", "doma.ba", "NULL"}));
    EXPECT_EQ(replaceInEpgIds(s.db, "Croatia", "", "x"), 0);

    const std::vector<std::string> before = ids();
    deriveEpgIds(s.db, "Croatia", "hr");
    ASSERT_TRUE(store::History::undo(s.db));
    EXPECT_EQ(ids(), before);
    EXPECT_EQ(s.texts("SELECT tvgname FROM Playlist WHERE name = 'Nova TV HD'").front(),
              "Nova TV HD");
    ASSERT_TRUE(store::History::undo(s.db));
    EXPECT_EQ(ids()[2], "a.hr.HR");
}

} // namespace
} // namespace listrion::tools
