#include "playlist/Codepage.h"
#include "playlist/StoreProbe.h"
#include "playlist/TextDecoding.h"
#include "store/Tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>

namespace listrion::test {
namespace {

using playlist::LoadStatus;

TEST(ReaderLoop, EntriesAsTheLoopStoresThem)
{
    ReaderFolder home;
    // Line ends of all three kinds.
    const auto result =
        home.open("#EXTM3U\r\n"
                  "#EXTINF:-1 tvg-id=\"one.id\" tvg-name=\"One\" tvg-logo=\"http://logo/1.png\" "
                  "group-title=\"Films\",Film One\n"
                  "http://vod.example/one.ts\r"
                  "#EXTINF:-1 tvg-id=\"two.id\" tvg-name=\"Two\" group-title=\"Films\",Two\r\n"
                  "http://live.example/two\n"
                  "#EXTINF:-1 group-title=\"News\",News Three\n"
                  "http://live.example/three.m3u8\n"
                  "#EXTINF:-1 group-title=\"News\",  Inline Name http://inline.example/x\n"
                  "#EXTINF:-1 group-title=\"News\",Grp\n"
                  "#EXTGRP:News\n"
                  "http://after-extgrp.example/\n"
                  "#extinf:-1 parent-code=\"1234\",Blanks\n"
                  "   http://blank.example/  \n");
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    const store::Database db = home.database();
    const auto rows = storedChannels(db);
    const std::vector<StoredChannel> expected = {
        {"Films", "One", "One", "", "http://vod.example/one.ts", "http://logo/1.png", 2, "VOD", 0},
        {"Films", "Two", "Two", "two.id", "http://live.example/two", "", 3, "Live", 0},
        {"News", "News Three", "News Three", "ext", "http://live.example/three.m3u8", "", 4, "Live",
         0},
        {"News", "Inline Name ", "Inline Name ", "ext", "http://inline.example/x", "", 5, "Live",
         0},
        {"News", "Grp", "Grp", "ext", "http://after-extgrp.example/", "", 6, "Live", 0},
        {"", "Blanks", "Blanks", "ext", "http://blank.example/", "", 7, "Live", 1234},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i] == expected[i]) << "row " << i << ": " << rows[i].name;
    }
    // A load ends with every group's number of channels as its count.
    std::string groups;
    for (const auto& group : storedGroups(db)) {
        groups +=
            group.grupa + "|" + group.type + "|" + std::to_string(group.count.value_or(-1)) + " ";
    }
    EXPECT_EQ(groups, "Films|VOD|2 News|Live|3 |Live|1 ");
    EXPECT_EQ(result.counts.lineCount, 13);
    EXPECT_EQ(result.counts.live + result.counts.vod, 6);
    EXPECT_EQ(result.counts.vod, 1);
    EXPECT_EQ(store::chosenPlaylist(db), home.folder().file("list.m3u").string());
    expectConsistentStore(db);
}

// Playlist.extras in position order; "-" for NULL.
std::vector<std::string> storedExtras(const store::Database& db)
{
    std::vector<std::string> extras;
    store::Statement st = db.prepare("SELECT extras FROM Playlist ORDER BY broj, rowid");
    while (st.step()) {
        extras.push_back(st.isNull(0) ? "-" : st.columnText(0));
    }
    return extras;
}

TEST(ReaderLoop, LinesBetweenAnEntryAndItsAddressLeaveItPendingAndAreKept)
{
    const std::string text =
        "#EXTM3U x-tvg-url=\"http://g/b.xml\" url-tvg=\"http://g/a.xml\" refresh=3600\n"
        "#EXTVLCOPT:network-caching=1000\n"
        "#EXTINF:-1 tvg-id=\"a\" user-agent=\"UA, 1\" group-title=\"G\",Option\n"
        "#EXTVLCOPT:http-user-agent=UA/1\n"
        "http://s/option\n"
        "#EXTINF:-1,Comment\n"
        "# just a remark\n"
        "http://s/comment\n"
        "#EXTINF:-1 group-title=\"G\",Group line\n"
        "#EXTGRP:Other\n"
        "http://s/grp\n"
        "#EXTINF:-1,Blank\n"
        "\n"
        "   \n"
        "http://s/blank\n"
        "#EXTINF:-1 catchup=\"default\" catchup-days=\"3\",Several\n"
        "#KODIPROP:inputstream=inputstream.adaptive\n"
        "\n"
        "  #EXTVLCOPT:http-referrer=http://r/\n"
        "#EXTGRP:G\n"
        "http://s/several\n"
        "#EXTINF:-1,Replaced\n"
        "#EXTVLCOPT:http-user-agent=lost\n"
        "#EXTINF:-1,Second\n"
        "rtmp://s/second\n"
        "#EXTINF:-1,Last without an address\n"
        "#EXTVLCOPT:x\n";
    ReaderFolder home;
    auto result = home.open(text);
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    auto db = home.database();
    const auto entries = [](const store::Database& loaded) {
        std::string summary;
        for (const StoredChannel& row : storedChannels(loaded)) {
            summary += row.name + "@" + std::to_string(row.broj) + " " + row.link + "|";
        }
        return summary;
    };
    const std::string stored = entries(db);
    // The header and the option line before the first #EXTINF: line are counted like links.
    EXPECT_EQ(stored, "Option@3 http://s/option|Comment@4 http://s/comment|Group line@5 "
                      "http://s/grp|Blank@6 http://s/blank|Several@7 http://s/several|"
                      "Second@9 |");
    EXPECT_EQ(result.counts.entries, 10);
    EXPECT_EQ(result.counts.live, 6);
    EXPECT_EQ(storedExtras(db),
              (std::vector<std::string>{
                  "user-agent=\"UA, 1\"\n#EXTVLCOPT:http-user-agent=UA/1", "\n# just a remark",
                  "\n#EXTGRP:Other", "-",
                  "catchup=\"default\" catchup-days=\"3\"\n#KODIPROP:inputstream=inputstream."
                  "adaptive\n#EXTVLCOPT:http-referrer=http://r/\n#EXTGRP:G",
                  "\nrtmp://s/second"}));
    EXPECT_EQ(store::playlistExtras(db), "url-tvg=\"http://g/a.xml\" refresh=3600");
    expectConsistentStore(db);

    // Design mode reads the same entries and keeps nothing else.
    home.options().reader.mode = playlist::PlaylistMode::Design;
    result = home.open(text);
    db = home.database();
    EXPECT_EQ(entries(db), stored);
    EXPECT_EQ(storedExtras(db), std::vector<std::string>(6, "-"));
    EXPECT_EQ(store::playlistExtras(db), "");
}

TEST(ReaderLoop, PreviousNameRuleAndLinesWithoutAnEntry)
{
    ReaderFolder home;
    auto result = home.open("#EXTINF:-1,Same\n#EXTINF:-1,Same\nhttp://a/1\n"
                            "#EXTINF:-1 tvg-id=\"x\",\nhttp://a/2\n"
                            "#EXTINF:-1,First\n#EXTINF:-1,Second\nhttp://a/3\n"
                            "#EXTINF:-1,Last without a link\n");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    auto rows = storedChannels(home.database());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name + "@" + std::to_string(rows[0].broj), "Same@1");
    EXPECT_EQ(rows[1].name + "@" + std::to_string(rows[1].broj), "Second@3");
    EXPECT_EQ(result.counts.entries, 4);

    // Addresses without #EXTINF: lines advance the counter and store nothing: a file without
    // a single playlist entry replaces nothing.
    result = home.open("http://a/1\nhttp://a/2\n\nhttp://a/3\n");
    EXPECT_EQ(result.status, LoadStatus::NoEntries);
    EXPECT_NE(result.message.find("no playlist entries found in "), std::string::npos);
    EXPECT_EQ(result.counts.entries, 4);
    EXPECT_EQ(result.channels(), 0);
    EXPECT_EQ(storedChannels(home.database()).size(), 2u);
}

TEST(ReaderGroups, IdentityTypeAndNumbering)
{
    ReaderFolder home;
    home.options().reader.region = "Western European";
    // Windows-1250 bytes: 8A is Š; the apostrophes go.
    const std::string text = "#EXTINF:-1 group-title=\"\x8Aport\",A\nhttp://a/1\n"
                             "#EXTINF:-1 group-title=\"\x8APORT\",B\nhttp://a/2.mkv\n"
                             "#EXTINF:-1 group-title=\"news\",C\nhttp://a/3.mkv\n"
                             "#EXTINF:-1 group-title=\"News  \",D\nhttp://a/4\n"
                             "#EXTINF:-1 group-title=\"Rock'n'Roll\",E\nhttp://a/5\n";
    ASSERT_EQ(home.open(text).status, LoadStatus::Loaded);
    const auto db = home.database();
    const auto groups = storedGroups(db);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].grupa + "|" + groups[0].type + "|" + std::to_string(groups[0].broj),
              "Šport|Live|1");
    EXPECT_EQ(groups[1].grupa + "|" + groups[1].type + "|" + std::to_string(groups[1].broj),
              "news|VOD|2");
    EXPECT_EQ(groups[2].grupa + "|" + std::to_string(groups[2].broj), "RocknRoll|3");
    const auto rows = storedChannels(db);
    EXPECT_EQ(rows[1].grupa, "ŠPORT"); // each channel keeps its own spelling
    expectConsistentStore(db);
}

TEST(ReaderLimit, StopsBeforeTheLineAfterTheLimit)
{
    ReaderFolder home;
    home.options().reader.limit = 20000;
    auto result = home.open(entries(30000, false));
    EXPECT_EQ(result.status, LoadStatus::LimitReached);
    EXPECT_EQ(result.channels(), 19999);
    EXPECT_EQ(store::channelCount(home.database()), 19999);
    expectConsistentStore(home.database());
    home.options().reader.limit = 40000;
    EXPECT_EQ(home.open(entries(30000, true)).status, LoadStatus::Loaded);
    // Every row of the many batches is the entry it came from.
    const auto rows = storedChannels(home.database());
    ASSERT_EQ(rows.size(), 30000u);
    std::size_t wrong = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string i = std::to_string(k + 1);
        wrong += rows[k].name != "Ch " + i || rows[k].link != "http://s/" + i ||
                 rows[k].grupa != "G" + std::to_string((k + 1) % 3) ||
                 rows[k].broj != static_cast<std::int64_t>(k + 2);
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(ReaderRestructure, LongFirstLineIsReadThroughTempM3u)
{
    ReaderFolder home;
    home.database().exec("INSERT INTO Playlist_Second (grupa, name) VALUES ('g', 'merge row')");
    const std::string first = "#EXTM3U " + std::string(600, 'x');
    const std::string rest =
        "#extinf:-1,Lower\nhttp://a/1\n#EXTINF:-1,Upper\n#EXTVLCOPT:http-referrer=r\nhttp://a/2";
    const auto result = home.open(first + "\n" + rest + "\n");
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    // In the copy the first "#extinf:" of a line (any case) loses its '#' unless it is
    // spelled in capitals, and every line ends with CR LF.
    EXPECT_EQ(readFile(home.folder().file("temp.m3u")),
              first + "\r\n?extinf:-1,Lower\r\nhttp://a/1\r\n#EXTINF:-1,Upper\r\n"
                      "#EXTVLCOPT:http-referrer=r\r\nhttp://a/2\r\n");
    const auto db = home.database();
    const auto rows = storedChannels(db);
    ASSERT_EQ(rows.size(), 1u);
    // The copy is read with the same rule: the option line waits with its entry.
    EXPECT_EQ(rows[0].name + "@" + std::to_string(rows[0].broj) + " " + rows[0].link,
              "Upper@4 http://a/2");
    EXPECT_EQ(storedExtras(db), std::vector<std::string>{"\n#EXTVLCOPT:http-referrer=r"});
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist_Second", -1), 0);

    // A long line after the first #EXTINF: line is an ordinary line.
    EXPECT_EQ(home.open(rest + "\n" + first + "\n").channels(), 2);
}

TEST(ReaderCancel, KeepsTheRowsReadAndAConsistentStore)
{
    ReaderFolder home;
    // The count pass does not poll for files this small; the reading pass polls once per line
    // before handling it, so lines 1 to 10,000 are read.
    std::vector<playlist::Progress> reports;
    int polls = 0;
    FunctionObserver observer([&](const playlist::Progress& p) { reports.push_back(p); },
                              [&] { return ++polls >= 10001; });
    const auto result = home.open(entries(20000, false), &observer);
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    const auto db = home.database();
    EXPECT_EQ(store::channelCount(db), 5000);
    EXPECT_EQ(store::groupCount(db), 3);
    expectConsistentStore(db);
    const auto reading = std::find_if(reports.begin(), reports.end(), [](const auto& p) {
        return p.activity == playlist::Activity::Reading && p.line > 0;
    });
    ASSERT_NE(reading, reports.end());
    EXPECT_EQ(reading->lineCount, 40000);
    EXPECT_EQ(reading->channel, "Ch " + std::to_string(reading->line / 2));
    EXPECT_EQ(reports.back().activity, playlist::Activity::Indexing);
}

TEST(ReaderBadInput, ClearResultsAndAConsistentStore)
{
    ReaderFolder home;
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random());
    }
    binary += "\n#EXTINF:-1 group-title=\"\xFF\xFE\",\x80\x81\nhttp://\x9D\n";
    auto result = home.open(binary);
    EXPECT_EQ(result.status, LoadStatus::Loaded) << result.message;
    expectConsistentStore(home.database());

    result = home.open(std::string(50 << 20, 'x') + "\n" + entries(2, false));
    EXPECT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(result.channels(), 2);
    expectConsistentStore(home.database());
}

// The expected counts come from the corpus's own statistics: an #EXTINF: line without an
// address is replaced by the next one, so there is one channel per address line.
std::map<std::string, std::pair<int, int>> corpusStatistics()
{
    std::map<std::string, std::pair<int, int>> stats;
    std::ifstream in(std::string(LISTRION_CORPUS_DIR) + "/STATS.txt");
    std::string line, file;
    while (std::getline(in, line)) {
        if (line.starts_with("## ")) {
            file = line.substr(3);
        } else if (const auto at = line.find("url_lines="); at != std::string::npos) {
            const int channels = std::stoi(line.substr(at + 10));
            const int groups = std::stoi(line.substr(line.find("groups=") + 7));
            stats[file] = {channels, std::max(groups, 1)};
        }
    }
    return stats;
}

TEST(ReaderCorpus, RealPlaylistsLoadWithTheirCounts)
{
    const auto stats = corpusStatistics();
    ASSERT_EQ(stats.size(), 9u);
    ReaderFolder home;
    for (const auto& [file, expected] : stats) {
        const auto path = std::filesystem::path(LISTRION_CORPUS_DIR) / file;
        const auto result = playlist::Open_Playlist(path, home.options(), nullptr);
        ASSERT_EQ(result.status, LoadStatus::Loaded) << file << ": " << result.message;
        const auto db = home.database();
        EXPECT_EQ(result.channels(), expected.first) << file;
        EXPECT_EQ(store::channelCount(db), expected.first) << file;
        EXPECT_EQ(store::groupCount(db), expected.second) << file;
        // Links keep their bytes: the code page reads them one character per byte.
        const auto rows = storedChannels(db);
        const auto entries = fileEntries(readFile(path));
        ASSERT_EQ(rows.size(), entries.size()) << file;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(playlist::Codepage::windows1250().encode(rows[i].link), entries[i].link);
        }
        expectConsistentStore(db);
    }
}

} // namespace
} // namespace listrion::test
