#include "store/Schema.h"
#include "store/SqlError.h"
#include "store/Tables.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace listrion::store {
namespace {

class StoreSemantics : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore s{folder.file("data.mdb")};
    Database& db = s.db;
};

// Group identity, LIKE and the name order: every case form of a letter is one letter (Š š;
// Σ σ ς; İ I ı i), trailing blanks do not count, other letters and leading blanks do.
TEST_F(StoreSemantics, TextComparesWithoutCaseOrTrailingBlanksInEveryScript)
{
    const std::pair<const char*, const char*> channels[] = {
        {"Šport HD", "a"},       {"šPORT hd  ", "b"},        {"Sport HD", "d"},
        {" Šport HD", "e"},      {"ΑΘΛΗΤΙΣΜΟΣ", "ΣΚΑΪ"},     {"αθλητισμός", "Αγωνας Σκαϊ"},
        {"Αθλητισμος ", "σκαϊ"}, {"İSTANBUL", "KIRMIZI"},    {"istanbul", "kırmızı tv"},
        {"Istanbul", "Новости"}, {"ИСТАНБУЛ", "НОВОСТИ 24"}, {"Стамбул", "новости"}};
    std::int64_t broj = 0;
    for (const auto& [group, name] : channels) {
        s.channel(group, name, ++broj);
    }
    EXPECT_EQ(db.scalarInt("SELECT count(DISTINCT grupa) FROM Playlist", -1), 8);
    EXPECT_EQ(s.texts("SELECT name FROM Playlist WHERE grupa = ? ORDER BY broj", "ŠPORT HD"),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa <> 'šport hd'", -1), 10);
    const std::pair<std::string, int> inGroup[] = {
        {"αθλητισμοσ", 2}, {"istanbul", 3}, {"ıstanbul", 3}, {"истанбул", 1}};
    for (const auto& [group, count] : inGroup) {
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", -1, group), count)
            << group;
    }
    // '_' is one character, whatever its byte length: Š, š and S; the leading blank is not.
    const std::tuple<std::string, std::string, int> likes[] = {
        {"name", "%B%", 1},        {"grupa", "_port%", 3},   {"name", "%σκαϊ%", 3},
        {"name", "%ΑΓΩΝΑΣ σ%", 1}, {"name", "%Kirmizi%", 2}, {"name", "%новост%", 3}};
    for (const auto& [col, pattern, count] : likes) {
        EXPECT_EQ(
            db.scalarInt("SELECT count(*) FROM Playlist WHERE " + col + " LIKE ?", -1, pattern),
            count)
            << pattern;
    }
    // The grid's name order: case forms side by side, then by position.
    EXPECT_EQ(s.texts("SELECT name FROM Playlist ORDER BY name, broj"),
              (std::vector<std::string>{"a", "b", "d", "e", "KIRMIZI", "kırmızı tv", "Αγωνας Σκαϊ",
                                        "ΣΚΑΪ", "σκαϊ", "Новости", "новости", "НОВОСТИ 24"}));
}

TEST_F(StoreSemantics, CollationAgreesWithFoldKey)
{
    const std::vector<std::string> samples = {
        "", "a", "A ", "Straße", "STRASSE", "ǅ", "ǆ", "Ǆ", "\xff\xfe", "K", "\u212A", "k", "Ω", "ω",
        "ά", "Ά", "z", "Ž", "ž", "abc  ", "İ", "ı", "I", "i", "İSTANBUL", "ıstanbul", "Σ", "ς",
        // Texts that share a start beyond ASCII and differ later.
        "Спорт 1", "СПОРТ 1", "Спорт 12", "Спорт 2 ", "Ž ab", "Ž aB", "Ž a\u212A", "\xff\xfe b",
        "\xff\xfe B", "日本 x", "日本 Y", "日本語",
        // Long shared starts, differing in case or text after the first eight bytes.
        "NL | Documentary 1", "nl | documentary 1", "NL | Documentary 12", "NL | Documentarz",
        "Спорт Спорт ab", "Спорт Спорт aB", "Спорт Спорт b", "Спорт Спорт"};
    const auto sign = [](int v) {
        return (v > 0) - (v < 0);
    };
    for (const auto& a : samples) {
        for (const auto& b : samples) {
            const bool equal = compareText(a, b) == 0;
            EXPECT_EQ(equal, foldKey(a) == foldKey(b)) << a << " / " << b;
            EXPECT_EQ(compareText(a, b), -compareText(b, a)) << a << " / " << b;
            // Folded keys sort like the texts (UTF-8 bytes sort like code points).
            EXPECT_EQ(sign(compareText(a, b)), sign(foldKey(a).compare(foldKey(b))))
                << a << " / " << b;
        }
    }
    EXPECT_EQ(compareText("K", "\u212A"), 0); // Kelvin sign folds to k
    EXPECT_LT(compareText("abc", "abd"), 0);
    EXPECT_LT(compareText("ab", "abc"), 0);
}

TEST_F(StoreSemantics, TablesOfOneLayoutCopyIntoEachOther)
{
    s.group("News", 1);
    s.channel("News", "One", 1);
    db.exec("UPDATE Playlist SET izberi = 1, parent_code = '0042'");
    for (std::string_view table : Schema::kPlaylistLayoutTables) {
        if (table == "Playlist") {
            continue;
        }
        db.exec("INSERT INTO " + quoteIdentifier(table) + " SELECT * FROM Playlist");
        db.exec("DELETE FROM Playlist");
        db.exec("INSERT INTO Playlist SELECT * FROM " + quoteIdentifier(table));
    }
    for (std::string_view table : Schema::kGrupaLayoutTables) {
        if (table != "Grupa") {
            db.exec("INSERT INTO " + quoteIdentifier(table) + " SELECT * FROM Grupa");
        }
    }
    Statement st = db.prepare("SELECT izberi, grupa, name, broj, parent_code, typeof(parent_code) "
                              "FROM Playlist");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnInt(0), 1);
    EXPECT_EQ(st.columnText(2), "One");
    EXPECT_EQ(st.columnText(4), "0042"); // the digits the user typed, leading zero kept
    EXPECT_EQ(st.columnText(5), "text");
    EXPECT_FALSE(st.step());
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa_Second", -1), 1);
}

TEST_F(StoreSemantics, ParentCodeTakesNumberDigitsOrEmpty)
{
    std::int64_t broj = 0;
    for (const char* name : {"number", "digits", "empty", "zero"}) {
        s.channel("g", name, ++broj);
    }
    db.exec("UPDATE Playlist SET parent_code = 1234 WHERE name = 'number';"
            "UPDATE Playlist SET parent_code = '0007' WHERE name = 'digits';"
            "UPDATE Playlist SET parent_code = '' WHERE name = 'empty';");
    EXPECT_EQ(s.texts("SELECT name FROM Playlist WHERE " + std::string(Schema::kHasParentCode) +
                      " ORDER BY broj"),
              (std::vector<std::string>{"number", "digits"}));
}

TEST_F(StoreSemantics, IzbrisiKopijeDropsExactCaseBackupsAndEmptiesWorkingTables)
{
    s.group("News", 1);
    s.channel("News", "One", 1);
    setChosenPlaylist(db, "/tmp/list.m3u");
    db.exec("INSERT INTO SS_Epg VALUES ('http://epg/'); INSERT INTO Grupa_Second SELECT * FROM "
            "Grupa; INSERT INTO Playlist_backup2 SELECT * FROM Playlist");
    for (const char* name : {"Playlist_Backup_01", "playlist_backup_05"}) {
        Schema::createPlaylistLayoutTable(db, name);
    }
    Schema::createGrupaLayoutTable(db, "Grupa_Backup_01");
    Schema::createGrupaLayoutTable(db, "Grupa_Backup_100");

    Izbrisi_Kopije(db);

    EXPECT_FALSE(db.tableExists("Grupa_Backup_01"));
    EXPECT_FALSE(db.tableExists("Grupa_Backup_100"));
    const auto tables = db.tableNames();
    EXPECT_NE(std::find(tables.begin(), tables.end(), "playlist_backup_05"), tables.end());
    EXPECT_EQ(std::find(tables.begin(), tables.end(), "Playlist_Backup_01"), tables.end());
    for (const char* table : {"Grupa", "Playlist", "Izbrana_Playlista", "SS_Epg"}) {
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM " + std::string(table), -1), 0) << table;
    }
    // Tables the routine does not own keep their rows.
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Grupa_Second", -1), 1);
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_backup2", -1), 1);
    EXPECT_FALSE(chosenPlaylist(db).has_value());
}

TEST_F(StoreSemantics, TransactionsApplyWholeOrNotAtAll)
{
    s.group("Kept", 1);
    try {
        Transaction tx(db);
        s.group("Lost", 2);
        db.exec("UPDATE Grupa SET broj = 9");
        db.exec("INSERT INTO NoSuchTable VALUES (1)");
        tx.commit();
    } catch (const SqlError&) {
    }
    EXPECT_EQ(s.texts("SELECT grupa || broj FROM Grupa"), (std::vector<std::string>{"Kept1"}));

    // A routine's own transaction inside a command becomes part of the command.
    {
        Transaction command(db);
        {
            Transaction routine(db);
            s.group("Inner", 2);
            routine.commit();
        }
        {
            Transaction failing(db);
            s.group("Undone", 3);
        }
        command.commit();
    }
    EXPECT_EQ(s.texts("SELECT grupa FROM Grupa ORDER BY broj"),
              (std::vector<std::string>{"Kept", "Inner"}));
    EXPECT_FALSE(db.inTransaction());
}

} // namespace
} // namespace listrion::store
