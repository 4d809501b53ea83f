#include "store/NamedBackups.h"
#include "store/PositionSwaps.h"
#include "store/Schema.h"
#include "store/TextCollation.h"
#include "store/UndoSnapshot.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::store {
namespace {

using Table = std::vector<std::vector<Value>>;

class UndoAndBackups : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::PlaylistStore s{folder.file("data.mdb")};
    Database& db = s.db;

    void SetUp() override
    {
        s.fill({3, 2, 1});
        db.exec("UPDATE Grupa SET count = 3, type = 'VOD' WHERE grupa = 'G1';"
                "UPDATE Playlist SET izberi = 1, parent_code = '0042' WHERE name = 'G2.1';"
                "UPDATE Playlist SET extras = 'catchup=\"default\"\n#EXTVLCOPT:http-referrer=x' "
                "WHERE name = 'G2.2'");
    }
    Table rows(const std::string& table) const
    {
        Table all;
        Statement st = db.prepare("SELECT * FROM " + quoteIdentifier(table) + " ORDER BY rowid");
        while (st.step()) {
            all.emplace_back();
            for (int c = 0; c < st.columnCount(); ++c) {
                all.back().push_back(st.columnValue(c));
            }
        }
        return all;
    }
    std::pair<Table, Table> working() const { return {rows("Playlist"), rows("Grupa")}; }
    void edit()
    {
        db.exec("DELETE FROM Playlist WHERE grupa = 'G1'; DELETE FROM Grupa WHERE grupa = 'G1';"
                "UPDATE Playlist SET grupa = 'Renamed' WHERE grupa = 'G2';"
                "UPDATE Grupa SET grupa = 'Renamed', izberi = 1 WHERE grupa = 'G2';"
                "UPDATE Playlist SET izberi = 0; INSERT INTO Playlist_Second SELECT * FROM "
                "Playlist; INSERT INTO SS_Epg VALUES ('http://epg/')");
        Pozicija_Nova_Gore(db, 5);
    }
    std::int64_t count(const std::string& table) const
    {
        return db.scalarInt("SELECT count(*) FROM " + quoteIdentifier(table), -1);
    }
};

TEST_F(UndoAndBackups, UndoReturnsToTheLoadedPlaylistAndCanBeRepeated)
{
    EXPECT_EQ(Restore(db, RestoreForm::MainWindow), RestoreResult::NoSnapshot);
    takeUndoSnapshot(db);
    const auto loaded = working();
    edit();
    EXPECT_EQ(Restore(db, RestoreForm::Editor), RestoreResult::Restored);
    EXPECT_EQ(working(), loaded); // every column, in the stored order, the extras too
    EXPECT_EQ(count("Playlist_Second"), 3);
    // The staging table of a merge has the layout of Playlist and takes the extras along.
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_Second WHERE extras LIKE 'catchup=%'", 0),
              1);
    EXPECT_EQ(count("SS_Epg"), 1);

    edit();
    EXPECT_EQ(Restore(db, RestoreForm::MainWindow), RestoreResult::Restored);
    EXPECT_EQ(Restore(db, RestoreForm::MainWindow), RestoreResult::Restored);
    EXPECT_EQ(working(), loaded);
    EXPECT_EQ(count("Playlist_Second") + count("SS_Epg"), 0);

    // An empty group snapshot means no snapshot, even with channel rows in it.
    edit();
    const auto edited = working();
    db.exec("DELETE FROM Grupa_backup");
    EXPECT_EQ(Restore(db, RestoreForm::Editor), RestoreResult::NoSnapshot);
    EXPECT_EQ(working(), edited);
}

TEST_F(UndoAndBackups, BackupsTakeTheFirstFreeNumberAndRestoreByNumber)
{
    const auto first = working();
    const NamedBackup one = Naredi_Backup(db);
    EXPECT_EQ(one.playlistTable, "Playlist_Backup_01");
    EXPECT_EQ(one.grupaTable, "Grupa_Backup_01");
    EXPECT_EQ(working(), first);
    EXPECT_EQ(rows("Playlist_Backup_01"), first.first);
    // The copy keeps the store's text identity.
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_Backup_01 WHERE grupa = 'g1 '", 0), 3);

    for (const char* name : {"Playlist_Backup_03", "Grupa_Backup_03", "playlist_backup_05"}) {
        Schema::createGrupaLayoutTable(db, name);
    }
    edit();
    const auto second = working();
    EXPECT_EQ(Naredi_Backup(db).playlistTable, "Playlist_Backup_02");
    for (int n = 4; n <= 99; ++n) {
        if (n != 5) {
            Schema::createPlaylistLayoutTable(db, "Playlist_Backup_" + copyNumberText(n));
        }
    }
    EXPECT_EQ(Naredi_Backup(db).playlistTable, "Playlist_Backup_100");
    const std::vector<std::string> copies = Prikazi_Kopije(db);
    ASSERT_EQ(copies.size(), 99u); // 05 exists only in another letter case
    EXPECT_EQ((std::vector<std::string>{copies[0], copies[1], copies[2], copies.back()}),
              (std::vector<std::string>{"Playlist_Backup_01", "Playlist_Backup_03",
                                        "Playlist_Backup_02", "Playlist_Backup_100"}));
    EXPECT_EQ(Najdi_Stevilko_Kopije(copies.back()), "100");

    for (const char* number : {"01", "02", "02"}) {
        EXPECT_EQ(Restore_Playlist(db, number), RestoreCopyResult::Restored);
        EXPECT_EQ(working(), std::string(number) == "01" ? first : second);
    }
    EXPECT_EQ(count("Playlist_Backup_02"), 3); // the copy stays

    // A missing half or a name that is no number: refused before anything is emptied.
    db.dropTable("Grupa_Backup_01");
    EXPECT_EQ(Restore_Playlist(db, "01"), RestoreCopyResult::MissingGroupCopy);
    EXPECT_EQ(Restore_Playlist(db, "101"), RestoreCopyResult::NoSuchCopy);
    EXPECT_EQ(Restore_Playlist(db, "1 OR 1"), RestoreCopyResult::NoSuchCopy);
    EXPECT_EQ(working(), second);
}

// A data.mdb written before the extras column existed: its tables of the channel layout, named
// backups included, and Izbrana_Playlista get the column, and its copies still restore.
TEST(StoreFromBeforeExtras, OpensWithTheColumnAndItsCopiesRestore)
{
    test::TempFolder folder;
    {
        Database old(folder.file("data.mdb"));
        const std::string text = std::string(" TEXT COLLATE ") + kTextCollation;
        const std::string playlist = "(izberi INTEGER NOT NULL DEFAULT 0, grupa" + text + ", name" +
                                     text + ", tvgname" + text + ", tvgid" + text + ", link" +
                                     text + ", logo" + text + ", broj INTEGER, type" + text +
                                     ", parent_code DEFAULT 0)";
        const std::string grupa = "(izberi INTEGER NOT NULL DEFAULT 0, grupa" + text + ", type" +
                                  text + ", count INTEGER, broj INTEGER)";
        for (std::string_view table : Schema::kPlaylistLayoutTables) {
            old.exec("CREATE TABLE " + quoteIdentifier(table) + playlist);
        }
        for (std::string_view table : Schema::kGrupaLayoutTables) {
            old.exec("CREATE TABLE " + quoteIdentifier(table) + grupa);
        }
        old.exec("CREATE TABLE Izbrana_Playlista (Ime" + text + "); CREATE TABLE SS_Epg (ssepgurl" +
                 text + "); CREATE TABLE Playlist_Backup_01 " + playlist +
                 "; CREATE TABLE Grupa_Backup_01 " + grupa +
                 "; INSERT INTO Playlist (grupa, name, broj, type) VALUES ('A', 'a1', 1, 'Live');"
                 "INSERT INTO Grupa (grupa, type, broj) VALUES ('A', 'Live', 1);"
                 "INSERT INTO Playlist_Backup_01 SELECT * FROM Playlist;"
                 "INSERT INTO Grupa_Backup_01 SELECT * FROM Grupa;"
                 "INSERT INTO Izbrana_Playlista VALUES ('/tv/old.m3u'); PRAGMA user_version=1;");
    }
    Database db = Schema::open(folder.file("data.mdb"));
    std::vector<std::string> tables(Schema::kPlaylistLayoutTables.begin(),
                                    Schema::kPlaylistLayoutTables.end());
    tables.insert(tables.end(), {"Playlist_Backup_01", "Izbrana_Playlista"});
    for (const std::string& table : tables) {
        EXPECT_EQ(
            db.scalarInt("SELECT cid FROM pragma_table_info(?) WHERE name = 'extras'", -1, table),
            table == "Izbrana_Playlista" ? 1 : 10)
            << table;
    }
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE extras IS NULL", -1), 1);

    db.exec("UPDATE Playlist SET name = 'edited', extras = 'x=\"1\"'");
    takeUndoSnapshot(db);
    EXPECT_EQ(Restore_Playlist(db, "01"), RestoreCopyResult::Restored);
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE name = 'a1' AND extras IS NULL", 0),
              1);
    EXPECT_EQ(Naredi_Backup(db).playlistTable, "Playlist_Backup_02");
    EXPECT_EQ(Restore(db, RestoreForm::MainWindow), RestoreResult::Restored);
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist WHERE extras = 'x=\"1\"'", 0), 1);
    EXPECT_EQ(Restore_Playlist(db, "02"), RestoreCopyResult::Restored);
    // Opening it again changes nothing.
    Database again = Schema::open(folder.file("data.mdb"));
    EXPECT_EQ(again.scalarInt("SELECT count(*) FROM pragma_table_info('Playlist')", 0), 11);
}

} // namespace
} // namespace listrion::store
