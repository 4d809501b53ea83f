// listrion-cli epg, logos and epg-url with the archive delivered with the program.
#include "store/Schema.h"
#include "support/CliRunner.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace listrion {
namespace {

// The number at the start of a summary line that must read "N <rest>".
long long count(const std::string& line, const std::string& rest)
{
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, std::regex("([0-9]+) " + rest + "\n"))) << line;
    return m.empty() ? -1 : std::stoll(m[1]);
}

// A real playlist stripped of its ids and logos gets ids and logos from the delivered archive,
// ids mostly the ones it had.
TEST(CliEpgArchive, RealPlaylistGetsIdsAndLogosFromTheDeliveredArchive)
{
    test::TempFolder home;
    const std::string corpus =
        std::string(LISTRION_CORPUS_DIR) + "/05_iptv-org_2023_published_countries_us.m3u";
    test::runOneLine(home.path(), {"open", corpus});
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.db.exec("CREATE TABLE Original AS SELECT rowid AS id, tvgid FROM Playlist WHERE "
                  "tvgid <> '';"
                  "UPDATE Playlist SET tvgid = '', logo = ''");
    }
    const long long ids =
        count(test::runOneLine(home.path(), {"epg", "import"}), "channels got ids");
    const long long logos =
        count(test::runOneLine(home.path(), {"logos", "import"}), "logos assigned");
    test::PlaylistStore s(home.file("data.mdb"));
    const std::int64_t same = s.db.scalarInt(
        "SELECT count(*) FROM Original o JOIN Playlist p ON p.rowid = o.id WHERE p.tvgid = o.tvgid",
        0);
    // Measured: 44 ids (31 of them the playlist's own) and 792 logos for the 1,808 channels; the
    // names carry suffixes such as " (720p)", which the ids' whole-name match does not skip.
    EXPECT_GE(ids, 40);
    EXPECT_GE(same, 28);
    EXPECT_GE(logos, 750);
    EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Playlist WHERE logo <> ''", 0), logos);
}

TEST(CliEpgArchive, AddressArchivesAndADamagedArchive)
{
    test::TempFolder home;
    {
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({2});
        s.db.exec("UPDATE Playlist SET tvgid = 'x.us', logo = 'http://l/x.png'");
    }
    EXPECT_EQ(test::runOneLine(home.path(), {"epg-url"}), "\n");
    EXPECT_EQ(test::runCli(home.path(), {"epg-url", "http://epg/a.xml"}).exitCode, 0);
    EXPECT_EQ(test::runOneLine(home.path(), {"epg-url"}), "http://epg/a.xml\n");
    EXPECT_EQ(test::runOneLine(home.path(), {"epg", "archive"}), "EPG archive saved: 2 channels\n");
    EXPECT_EQ(test::runOneLine(home.path(), {"logos", "archive"}), "logo archive saved: 2 logos\n");
    home.write("logo.mdb", std::string(70000, 'x'));
    const std::string damaged =
        test::runOneLine(home.path(), {"logos", "import"}, test::kAnyFailure);
    EXPECT_NE(damaged.find("logo.mdb"), std::string::npos);
}

} // namespace
} // namespace listrion
