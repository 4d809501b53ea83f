// EPG ids and logos copied between the playlist and the archive logo.mdb, the EPG address, and
// a missing or damaged archive.
#include "tools/EpgArchive.h"
#include "settings/ProgramFolder.h"
#include "store/LogoSchema.h"
#include "store/Schema.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"
#include "tools/ArchiveFile.h"
#include "tools/LogoArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace listrion::tools {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

// The same channels (name = tvgname, no id, no logo) in two stores: one for the command, one
// for the statements it stands for, run row by row.
struct TwoStores {
    explicit TwoStores(const std::vector<std::string>& names)
    {
        for (test::PlaylistStore* s : {&mine, &literal}) {
            s->group("G", 1);
            for (std::size_t i = 0; i < names.size(); ++i) {
                s->channel("G", names[i], static_cast<std::int64_t>(i + 1));
            }
            s->db.exec("UPDATE Playlist SET tvgname = name, tvgid = '', logo = ''");
        }
    }
    std::vector<std::string> column(const test::PlaylistStore& s, const std::string& name) const
    {
        return s.texts("SELECT " + name + " FROM Playlist ORDER BY rowid");
    }
    test::TempFolder home;
    test::PlaylistStore mine{home.file("data.mdb")};
    test::PlaylistStore literal{home.file("literal.mdb")};
    store::Database archive = store::LogoSchema::open(home.file("logo.mdb"));
};

void fillArchive(store::Database& archive, const std::string& table, const Rows& rows)
{
    const std::string sql = table == "EPG"
                                ? "INSERT INTO EPG (Name, tvgID) VALUES (?, ?)"
                                : "INSERT INTO " + table + " (TVGname, Logo) VALUES (?, ?)";
    for (const auto& [name, value] : rows) {
        archive.prepare(sql).bindAll(name, value).run();
    }
}

TEST(EpgImport, GivesTheIdsThatLikeFindsRowByRow)
{
    TwoStores s({"Nova TV", "NOVA TV", "nova tv hd", "Nova TV ", "100 Sport News", "100% News",
                 "PlanXB", "Plan_B", "ÄRZTE TV", "Sky Sport", "Sky Sport FHD", "Istanbul",
                 "Other"});
    const Rows rows = {{"%", "any"},        {"Nova TV HD", "a.hr"}, {"100% News", "b.us"},
                       {"Plan_B", "c.de"},  {"ärzte tv", "d.de"},   {"SKY SPORT FHD", "e.uk"},
                       {"nova tv", "f.hr"}, {"İSTANBUL", "g.tr"},   {"Sky Sport HD HD", "h.uk"}};
    fillArchive(s.archive, "EPG", rows);
    const EpgImport result = importEpgIds(s.mine.db, s.archive);
    for (const auto& [name, id] : rows) {
        s.literal.db
            .prepare("UPDATE Playlist SET tvgid = ?1 WHERE name LIKE "
                     "replace(replace(lower(?2), ' hd', ''), ' fhd', '')")
            .bindAll(id, name)
            .run();
    }
    EXPECT_EQ(s.column(s.mine, "tvgid"), s.column(s.literal, "tvgid"));
    EXPECT_EQ(s.column(s.mine, "tvgid")[1], "f.hr"); // the later of two rows for one name
    EXPECT_EQ(result.archiveRows, 9);
    EXPECT_EQ(result.channels, 13);
}

TEST(LogoImport, UserArchiveFirstAndOnlyTheFirstChannelFoundPerRow)
{
    TwoStores s({"Sport 10", "Sport 1", "sport 1 hd", "News", "Ötv", "ötv 2"});
    fillArchive(s.archive, "Logo_Orginal", {{"Sport 1", "o1.png"}, {"News", "o2.png"}});
    const Rows user = {{"SPORT 1", "u1.png"}, {"sport 1", "u2.png"}, {"Radio", "u3.png"},
                       {"ÖTV", "u4.png"},     {"Sport", "u5.png"},   {"Sport 1", "u6.png"}};
    LogoImport result = importLogos(s.mine.db, s.archive);
    EXPECT_FALSE(result.fromUser);
    EXPECT_EQ(result.assigned, 2);
    EXPECT_EQ(s.column(s.mine, "logo"),
              (std::vector<std::string>{"o1.png", "", "", "o2.png", "", ""}));

    s.mine.db.exec("UPDATE Playlist SET logo = ''");
    fillArchive(s.archive, "Logo_User", user);
    result = importLogos(s.mine.db, s.archive);
    for (const auto& [name, logo] : user) {
        s.literal.db
            .prepare("UPDATE Playlist SET logo = ?1 WHERE rowid = (SELECT rowid FROM Playlist "
                     "WHERE logo = '' AND tvgname LIKE ?2 || '%' ORDER BY rowid LIMIT 1)")
            .bindAll(logo, name)
            .run();
    }
    EXPECT_TRUE(result.fromUser);
    EXPECT_EQ(result.assigned, 4);
    EXPECT_EQ(s.column(s.mine, "logo"), s.column(s.literal, "logo"));
    EXPECT_EQ(s.column(s.mine, "logo")[3], ""); // Logo_Orginal was not used
}

TEST(Archives, SavedFromThePlaylistInPositionOrder)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.group("Films", 1, "VOD");
    s.group("News", 2);
    s.group("Kept", 0);
    s.channel("News", "N2", 3);
    s.channel("News", "N1", 2);
    s.channel("Films", "F1", 1, false, "VOD");
    s.channel("Kept", "K1", 4);
    s.db.exec("UPDATE Playlist SET tvgname = name || 't', tvgid = name || '.id', logo = "
              "CASE name WHEN 'N2' THEN '[]' ELSE name || '.png' END");
    store::Database archive = store::LogoSchema::open(home.file("logo.mdb"));
    fillArchive(archive, "EPG", {{"Old", "old.id"}});
    EXPECT_EQ(saveEpgArchive(s.db, archive), 2);
    EXPECT_EQ(saveLogoArchive(s.db, archive), 1);
    store::Statement epg = archive.prepare("SELECT grupa || Name || TVGname || tvgID FROM EPG");
    std::vector<std::string> rows;
    while (epg.step()) {
        rows.push_back(epg.columnText(0));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"NewsN1N1tN1.id", "NewsN2N2tN2.id"}));
    EXPECT_EQ(archive.scalarInt("SELECT count(*) FROM Logo_User WHERE Logo = 'N1.png'", 0), 1);

    EXPECT_FALSE(setEpgAddress(s.db, ""));
    EXPECT_TRUE(setEpgAddress(s.db, "http://epg.example/a.xml"));
    EXPECT_FALSE(setEpgAddress(s.db, ""));
    EXPECT_EQ(epgAddress(s.db), "http://epg.example/a.xml");
    EXPECT_TRUE(setEpgAddress(s.db, "http://epg.example/b.xml"));
    EXPECT_EQ(s.texts("SELECT ssepgurl FROM SS_Epg"),
              (std::vector<std::string>{"http://epg.example/b.xml"}));
}

TEST(Archives, MissingOrDamagedFileIsReplacedByTheDeliveredCopy)
{
    test::TempFolder home;
    const std::filesystem::path file = home.file("logo.mdb");
    EXPECT_EQ(checkArchive(file), ArchiveState::Missing);
    const std::filesystem::path shipped = settings::ProgramFolder::shippedFile("logo.mdb");
    restoreArchive(file, shipped);
    EXPECT_EQ(checkArchive(file), ArchiveState::Usable);
    EXPECT_GT(openArchive(file).scalarInt("SELECT count(*) FROM Logo_Orginal", 0), 30000);
    home.write("logo.mdb", std::string(70000, 'x'));
    EXPECT_EQ(checkArchive(file), ArchiveState::Damaged);
    restoreArchive(file, shipped);
    EXPECT_EQ(checkArchive(file), ArchiveState::Usable);
    EXPECT_THROW(restoreArchive(file, home.file("none.mdb")), std::runtime_error);
}

} // namespace
} // namespace listrion::tools
