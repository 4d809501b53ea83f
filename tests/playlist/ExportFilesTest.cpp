#include "playlist/Exporters.h"
#include "playlist/PlaylistWriter.h"
#include "store/LogoSchema.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace listrion::playlist {
namespace {

using test::readFile;

// Counts progress reports and asks for Cancel before the channel numbered `cancelAt`.
class CountingObserver final : public ProgressObserver {
public:
    explicit CountingObserver(int cancelAt = 0) : m_cancelAt(cancelAt) {}
    void progress(const Progress& p) override { lastWritten = p.written; }
    bool cancelRequested() override { return ++m_polls == m_cancelAt; }
    std::int64_t lastWritten = -1;

private:
    int m_cancelAt;
    int m_polls = 0;
};

class BoxExport : public ::testing::Test {
protected:
    test::TempFolder home;
    test::PlaylistStore store{home.file("data.mdb")};

    ExportResult run(ExportFormat format, const std::string& name, bool overwrite = false,
                     ProgressObserver* observer = nullptr)
    {
        ExportRequest request;
        request.dataMdb = home.file("data.mdb");
        request.logoMdb = home.file("logo.mdb");
        request.target = home.file(name);
        request.codepage = &Codepage::windows1250();
        request.overwrite = overwrite;
        return exportTo(format, request, observer);
    }
    std::string exported(ExportFormat format, bool overwrite = false)
    {
        const ExportResult r = run(format, "out.txt", overwrite);
        EXPECT_EQ(r.status, ExportStatus::Written) << r.message;
        return readFile(home.file("out.txt"));
    }
    // Groups out of insertion order, one with broj 0 and one with -1, channels numbered
    // against their insertion order.
    void fillMixedStore()
    {
        store.group("Later", 2);
        store.group("Hidden", 0);
        store.group("First", 1);
        store.group("Scratch", -1);
        store.channel("Later", "L2", 9);
        store.channel("Later", "L1", 8);
        store.channel("First", "F1", 3);
        store.channel("Hidden", "H1", 4);
        store.channel("Scratch", "S1", 5);
        store.channel("First", "F2", 6);
    }
    std::vector<std::string> services(const std::string& file)
    {
        std::vector<std::string> numbers;
        const std::regex service("#SERVICE 4097:0:1:([0-9]+):");
        for (std::sregex_iterator it(file.begin(), file.end(), service), end; it != end; ++it) {
            numbers.push_back((*it)[1]);
        }
        return numbers;
    }
};

TEST_F(BoxExport, GroupsAbove0InPositionOrderWithCrLfInEveryFormat)
{
    fillMixedStore();
    EXPECT_EQ(exported(ExportFormat::LG),
              " \r\n"
              "ext,#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"F1\" tvg-logo=\"\" group-title=\"First\","
              "F1,http://tv/F1\r\n"
              "ext,#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"F2\" tvg-logo=\"\" group-title=\"First\","
              "F2,http://tv/F2\r\n"
              "ext,#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"L1\" tvg-logo=\"\" group-title=\"Later\","
              "L1,http://tv/L1\r\n"
              "ext,#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"L2\" tvg-logo=\"\" group-title=\"Later\","
              "L2,http://tv/L2\r\n");
    for (const ExportFormatInfo& info : exportFormats()) {
        if (info.format == ExportFormat::Epg) {
            continue;
        }
        const std::string file = exported(info.format, true);
        EXPECT_EQ(file.find("H1"), std::string::npos) << info.routine;
        EXPECT_EQ(file.find("S1"), std::string::npos) << info.routine;
        EXPECT_LT(file.find("F2"), file.find("L1")) << info.routine;
        EXPECT_EQ(std::regex_search(file, std::regex("[^\r]\n|\r[^\n]|[^\n]$")), false)
            << info.routine;
    }
}

TEST_F(BoxExport, Enigma2NumbersByOneIntoANewFileAndByTwoOverAnOldOne)
{
    store.fill({2, 1});
    store.db.exec("UPDATE Playlist SET link = 'rtmp://h:1935/live:x' WHERE name = 'G2.1'");
    ExportResult r = run(ExportFormat::Enigma2, "b.tv");
    ASSERT_EQ(r.status, ExportStatus::Written) << r.message;
    EXPECT_EQ(r.rows, 3);
    const std::string fresh = readFile(home.file("b.tv"));
    EXPECT_EQ(services(fresh), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(fresh.starts_with("#NAME IPTV\r\n#SERVICE 4097:0:1:1:0:0:0:0:0:0:http%3a//tv/G1.1"
                                  "\r\n#DESCRIPTION G1.1\r\n"));
    EXPECT_NE(fresh.find(":0:0:0:0:0:0:rtmp%3a//h%3a1935/live%3ax\r\n"), std::string::npos);
    // Without permission an existing file stays as it is.
    r = run(ExportFormat::Enigma2, "b.tv");
    EXPECT_EQ(r.status, ExportStatus::TargetExists);
    EXPECT_EQ(readFile(home.file("b.tv")), fresh);
    r = run(ExportFormat::Enigma2, "b.tv", true);
    ASSERT_EQ(r.status, ExportStatus::Written);
    EXPECT_EQ(services(readFile(home.file("b.tv"))), (std::vector<std::string>{"2", "4", "6"}));
    EXPECT_EQ(run(ExportFormat::Azbox, "b.tv", true).status, ExportStatus::Written);
    EXPECT_EQ(readFile(home.file("b.tv")).substr(0, 2), "1,");
}

TEST_F(BoxExport, EmptyGroupListGuardsAndFixedLines)
{
    const store::Database& db = store.db;
    EXPECT_FALSE(exportGuardPasses(ExportGuard::GroupList, db));
    EXPECT_FALSE(exportGuardPasses(ExportGuard::ChannelList, db));
    EXPECT_TRUE(exportGuardPasses(ExportGuard::None, db));
    EXPECT_EQ(exported(ExportFormat::Samsung),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<items>\r\n</items>\r\n");
    EXPECT_EQ(exported(ExportFormat::OpticumHd, true), " \r\n");
    EXPECT_EQ(exported(ExportFormat::LG, true), " \r\n");
    // A group at position 0 passes the group guard but exports no channel.
    store.group("Hidden", 0);
    store.channel("Hidden", "H1", 1);
    EXPECT_TRUE(exportGuardPasses(ExportGuard::GroupList, db));
    EXPECT_TRUE(exportGuardPasses(ExportGuard::ChannelList, db));
    EXPECT_EQ(exported(ExportFormat::Azbox, true), "");
    EXPECT_EQ(exported(ExportFormat::Enigma2, true), "#NAME IPTV\r\n");
}

TEST_F(BoxExport, CodePageApostrophesAndNullValues)
{
    store.group("Kid's", 1);
    store.db.exec("INSERT INTO Playlist (grupa, name, tvgname, tvgid, link, logo, broj) VALUES "
                  "('KID''S', 'Štefan 東方', NULL, NULL, 'http://s/č', NULL, 1)");
    const std::string line = "ext,#EXTINF:-1 tvg-id=\"\" tvg-name=\"\" tvg-logo=\"\" "
                             "group-title=\"KID'S\",";
    EXPECT_EQ(exported(ExportFormat::LG), " \r\n" + line + "\x8Atefan ??,http://s/\xE8\r\n");
}

TEST_F(BoxExport, CancelAndFailureLeaveTheOldFile)
{
    store.fill({600});
    const std::string old = "old contents\r\n";
    home.write("keep.xml", old);
    CountingObserver cancelling(300);
    EXPECT_EQ(run(ExportFormat::Samsung, "keep.xml", true, &cancelling).status,
              ExportStatus::Cancelled);
    EXPECT_EQ(readFile(home.file("keep.xml")), old);
    const ExportResult failed = run(ExportFormat::Samsung, "missing/keep.xml", true);
    EXPECT_EQ(failed.status, ExportStatus::Failed);
    EXPECT_FALSE(failed.message.empty());
    CountingObserver counting;
    EXPECT_EQ(run(ExportFormat::Samsung, "keep.xml", true, &counting).rows, 600);
    EXPECT_EQ(counting.lastWritten, 600);
}

TEST_F(BoxExport, EpgListingOfTheArchive)
{
    // A missing archive is created with its three tables and lists nothing.
    ExportResult r = run(ExportFormat::Epg, "epg.M3U.m3u");
    ASSERT_EQ(r.status, ExportStatus::Written) << r.message;
    EXPECT_EQ(r.file, home.file("epg.txt.txt"));
    EXPECT_EQ(readFile(r.file), "");
    {
        store::Database archive = store::LogoSchema::open(home.file("logo.mdb"));
        for (const char* table : {"EPG", "Logo_User", "Logo_Orginal"}) {
            EXPECT_TRUE(archive.tableExists(table)) << table;
        }
        archive.exec("INSERT INTO Logo_User (grupa, TVGname, Logo) VALUES ('g', 't', 'l');"
                     "INSERT INTO Logo_Orginal (TVGname, Logo) VALUES ('t', 'l');");
        archive.exec("INSERT INTO Epg (grupa, Name, TVGname, tvgID) VALUES "
                     "('Sport', 'Arena 1', 'Arena', 'arena1.rs'), ('news', 'N1', 'N1', NULL),"
                     "('Sport', 'Arena 2', NULL, 'arena2.rs'), ('News', 'RTS', 'RTS 1', 'rts.rs')");
    }
    EXPECT_EQ(run(ExportFormat::Epg, "list.M3U").status, ExportStatus::Written);
    EXPECT_EQ(readFile(home.file("list.txt")),
              "[news] ---- [name=N1] ---- [tvgname=N1] ---- [tvgid=]\r\n"
              "[News] ---- [name=RTS] ---- [tvgname=RTS 1] ---- [tvgid=rts.rs]\r\n"
              " \r\n"
              "[Sport] ---- [name=Arena 1] ---- [tvgname=Arena] ---- [tvgid=arena1.rs]\r\n"
              "[Sport] ---- [name=Arena 2] ---- [tvgname=] ---- [tvgid=arena2.rs]\r\n");
    // The question is about the .txt file; the chosen .m3u file is never touched.
    home.write("list.m3u", "#EXTM3U\r\n");
    r = run(ExportFormat::Epg, "list.m3u");
    EXPECT_EQ(r.status, ExportStatus::TargetExists);
    EXPECT_EQ(r.file, home.file("list.txt"));
    EXPECT_EQ(readFile(home.file("list.m3u")), "#EXTM3U\r\n");
    EXPECT_EQ(exportTarget(ExportFormat::Epg, "/a.m3u/b.M3U.bak"), "/a.m3u/b.txt.bak");
    EXPECT_EQ(exportTarget(ExportFormat::LG, "/a/b.m3u"), "/a/b.m3u");
}

// A new playlist or export gets 0666 less the creation mask, as any program's files do; a
// file it replaces keeps its own permissions.
TEST_F(BoxExport, NewFilesGetTheCreationMaskAndReplacedFilesKeepTheirMode)
{
    namespace fs = std::filesystem;
    store.fill({2});
    const mode_t mask = 077;
    const mode_t saved = ::umask(mask);
    const auto mode = [](const fs::path& file) {
        return static_cast<mode_t>(fs::status(file).permissions()) & 07777;
    };
    for (const ExportFormat format : {ExportFormat::Enigma2, ExportFormat::Samsung}) {
        const std::string name = "box" + std::to_string(int(format));
        ASSERT_EQ(run(format, name).status, ExportStatus::Written);
        EXPECT_EQ(mode(home.file(name)), 0666 & ~mask) << name;
    }
    SaveOptions options;
    options.dataMdb = home.file("data.mdb");
    const fs::path playlist = home.file("saved.m3u");
    ASSERT_TRUE(Save_Playlist(playlist, options, nullptr).saved());
    EXPECT_EQ(mode(playlist), 0666 & ~mask) << playlist;
    fs::permissions(playlist,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    options.replaceExisting = true;
    ASSERT_TRUE(Save_Playlist(playlist, options, nullptr).saved());
    EXPECT_EQ(mode(playlist), mode_t{0640});
    ::umask(saved);
}

} // namespace
} // namespace listrion::playlist
