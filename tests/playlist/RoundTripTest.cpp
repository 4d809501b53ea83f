#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

namespace listrion::test {
namespace {

using Rows = std::vector<std::vector<store::Value>>;

// Every column of every row of a table, in the order the rows were stored.
Rows tableRows(const store::Database& db, const std::string& table)
{
    Rows rows;
    store::Statement st = db.prepare("SELECT * FROM " + table + " ORDER BY rowid");
    while (st.step()) {
        std::vector<store::Value> row;
        for (int column = 0; column < st.columnCount(); ++column) {
            row.push_back(st.columnValue(column));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string describe(const std::vector<store::Value>& row)
{
    std::ostringstream out;
    for (const store::Value& value : row) {
        std::visit(
            [&out](const auto& v) {
                if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::monostate>) {
                    out << "NULL";
                } else {
                    out << v;
                }
            },
            value);
        out << " | ";
    }
    return out.str();
}

void expectSameRows(const Rows& expected, const Rows& actual, const std::string& what)
{
    ASSERT_EQ(expected.size(), actual.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(expected[i], actual[i]) << what << " row " << i << ":\n  "
                                          << describe(expected[i]) << "\n  " << describe(actual[i]);
    }
}

// A program folder that reads playlists and saves what it read.
class RoundTrip {
public:
    explicit RoundTrip(const std::string& region) { m_home.options().reader.region = region; }

    void open(const std::filesystem::path& file)
    {
        const auto result = playlist::Open_Playlist(file, m_home.options(), nullptr);
        ASSERT_TRUE(result.stored()) << file << ": " << result.message;
    }
    std::filesystem::path save(const std::string& name)
    {
        playlist::SaveOptions options;
        options.dataMdb = m_home.options().dataMdb;
        options.codepage = m_home.options().reader.codepage;
        const auto file = m_home.folder().file(name);
        const auto result = playlist::Save_Playlist(file, options, nullptr);
        EXPECT_TRUE(result.saved()) << result.message;
        return file;
    }
    Rows channels() const { return tableRows(m_home.database(), "Playlist"); }
    Rows groups() const { return tableRows(m_home.database(), "Grupa"); }
    const TempFolder& folder() const { return m_home.folder(); }

private:
    ReaderFolder m_home;
};

// The same channels whatever their positions: rows without broj, sorted.
Rows withoutPositions(Rows rows)
{
    for (auto& row : rows) {
        row[7] = std::monostate{};
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(RoundTrip, CorpusPlaylistsSaveOpenAndSaveAgainToTheSameFileAndStore)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(LISTRION_CORPUS_DIR)) {
        if (entry.path().extension() == ".m3u") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 9u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        // A region without decoding: every value is the file's bytes, one character each.
        RoundTrip trip("Western European");
        trip.open(file);
        const Rows read = trip.channels();
        const auto first = trip.save("first.m3u");
        trip.open(first);
        const Rows reread = trip.channels();
        const Rows rereadGroups = trip.groups();
        // The same channels with the same values; only their positions follow the groups now.
        expectSameRows(withoutPositions(read), withoutPositions(reread), "channels");
        const auto second = trip.save("second.m3u");
        trip.open(second);
        EXPECT_EQ(readFile(first), readFile(second));
        expectSameRows(reread, trip.channels(), "channels");
        expectSameRows(rereadGroups, trip.groups(), "groups");
    }
}

// Writes a playlist listed group after group, as the writer lists it, with bytes of every kind
// in names, groups, addresses, logos and tvg-ids; collects the lines the writer must give back.
struct GeneratedPlaylist {
    std::string bytes;
    std::vector<std::string> links, logos;

    explicit GeneratedPlaylist(int entries)
    {
        std::mt19937 random(20240601);
        // Bytes the reader keeps as they are in every field (no quote, comma, colon, bracket,
        // capital I or byte that a clean-up removes).
        std::string plainBytes = "abcdefghijklmnopqrstuvwxyzABCDEFGH0123456789 .-_";
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (std::string_view("\x84\xA8\xA9\xB9\xD8\xE1\xE2\xCA").find(static_cast<char>(b)) ==
                std::string_view::npos) {
                plainBytes.push_back(static_cast<char>(b));
            }
        }
        const auto text = [&](std::size_t length, const std::string& extra = "") {
            const std::string alphabet = plainBytes + extra;
            std::string out = "x";
            while (out.size() < length) {
                out.push_back(alphabet[random() % alphabet.size()]);
            }
            return out + "z";
        };
        bytes = "#EXTM3U\r\n";
        std::string group;
        for (int i = 0; i < entries; ++i) {
            if (i % 37 == 0) {
                group = "Group " + std::to_string(i) + " " + text(8);
            }
            const std::string name = text(12);
            std::string link = "http://h" + std::to_string(i) + "/" + text(20, "|%?&=/");
            if (i % 5 == 0) {
                link += ".mp4";
            }
            const std::string logo = i % 3 == 0 ? "" : "http://logo/" + text(10, "%|");
            const std::string code =
                i % 11 == 0 ? " parent-code=\"" + std::to_string(i) + "\"" : "";
            bytes += "#EXTINF:-1 tvg-id=\"" + text(6) + "\" tvg-name=\"" + name + "\" tvg-logo=\"" +
                     logo + "\" group-title=\"" + group + "\"" + code + "," + name + "\r\n" + link +
                     "\r\n";
            links.push_back(link);
            logos.push_back(logo);
        }
    }
};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(RoundTrip, GeneratedPlaylistComesBackByteForByte)
{
    const GeneratedPlaylist generated(3000);
    RoundTrip trip("Western European");
    trip.open(trip.folder().write("generated.m3u", generated.bytes));
    const Rows channels = trip.channels();
    const Rows groups = trip.groups();
    ASSERT_EQ(channels.size(), 3000u);

    const auto saved = trip.save("saved.m3u");
    const std::vector<std::string> lines = linesOf(readFile(saved));
    ASSERT_EQ(lines.size(), 1 + 2 * generated.links.size());
    for (std::size_t i = 0; i < generated.links.size(); ++i) {
        ASSERT_EQ(lines[2 + 2 * i], generated.links[i]) << "entry " << i;
        ASSERT_NE(lines[1 + 2 * i].find("tvg-logo=\"" + generated.logos[i] + "\""),
                  std::string::npos)
            << "entry " << i << ": " << lines[1 + 2 * i];
    }
    // Already in the writer's order: reading the saved file gives back every row unchanged.
    trip.open(saved);
    expectSameRows(channels, trip.channels(), "channels");
    expectSameRows(groups, trip.groups(), "groups");
}

TEST(RoundTrip, DecodedNamesAreWrittenInTheCodepageAndAddressesKeepTheirBytes)
{
    RoundTrip trip("Central European");
    trip.open(trip.folder().write("utf8.m3u", "#EXTM3U\r\n#EXTINF:-1 group-title=\"Šport\","
                                              "Televisión Šport\r\nhttp://x/č ž\r\n"));
    EXPECT_EQ(readFile(trip.save("saved.m3u")),
              "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"ext\" tvg-name=\"Televisi\xF3n Sport\" tvg-logo=\"\" "
              "group-title=\"Sport\",Televisi\xF3n Sport\r\nhttp://x/\xC4\x8D \xC5\xBE\r\n");
}

} // namespace
} // namespace listrion::test
