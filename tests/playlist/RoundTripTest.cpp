// Saved playlists read back: by the program's own reader (the same store, the same file again)
// and by a real player, libVLC, parsing each file locally (its playlist reader only). Saving is
// in full mode, the default: what the columns do not hold comes back too.
#include "playlist/Extras.h"
#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"
#include "store/Tables.h"

#include <vlc/vlc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <regex>
#include <thread>

namespace listrion::test {
namespace {

using Rows = std::vector<std::vector<store::Value>>;

// Every column of every row of a table, in the order the rows were stored; without broj when
// only the values matter, sorted.
Rows tableRows(const store::Database& db, const std::string& table, bool positions = true)
{
    Rows rows;
    store::Statement st = db.prepare("SELECT * FROM " + table + " ORDER BY rowid");
    while (st.step()) {
        rows.emplace_back();
        for (int column = 0; column < st.columnCount(); ++column) {
            rows.back().push_back(column == 7 && !positions ? store::Value{}
                                                            : st.columnValue(column));
        }
    }
    if (!positions) {
        std::sort(rows.begin(), rows.end());
    }
    return rows;
}

struct RoundTrip {
    ReaderFolder home;
    explicit RoundTrip(const std::string& region) { home.options().reader.region = region; }

    void open(const std::filesystem::path& file)
    {
        const auto result = playlist::Open_Playlist(file, home.options(), nullptr);
        ASSERT_TRUE(result.stored()) << file << ": " << result.message;
    }
    std::filesystem::path save(const std::string& name)
    {
        const auto file = home.folder().file(name);
        playlist::SaveOptions options{home.options().dataMdb, home.options().reader.codepage};
        const auto result = playlist::Save_Playlist(file, options, nullptr);
        EXPECT_TRUE(result.saved()) << result.message;
        return file;
    }
    Rows rows(const std::string& table, bool positions = true) const
    {
        return tableRows(home.database(), table, positions);
    }
};

// libVLC percent-encodes what a URI may not hold (spaces, bytes above 127, '|', '"', a '%'
// without two hexadecimal digits), so addresses are compared decoded.
std::string percentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
            std::sscanf(&text[i + 1], "%2x", &value) == 1) {
            out.push_back(static_cast<char>(value));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// The addresses of the entries libVLC finds in a local playlist file, in its order.
std::vector<std::string> vlcEntries(libvlc_instance_t* vlc, const std::filesystem::path& file)
{
    libvlc_media_t* media = libvlc_media_new_path(vlc, file.c_str());
    EXPECT_EQ(libvlc_media_parse_with_options(media, libvlc_media_parse_local, 30000), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (libvlc_media_get_parsed_status(media) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(libvlc_media_get_parsed_status(media), libvlc_media_parsed_status_done);
    std::vector<std::string> mrls;
    libvlc_media_list_t* list = libvlc_media_subitems(media);
    libvlc_media_list_lock(list);
    for (int i = 0; i < libvlc_media_list_count(list); ++i) {
        libvlc_media_t* item = libvlc_media_list_item_at_index(list, i);
        char* mrl = libvlc_media_get_mrl(item);
        mrls.push_back(percentDecoded(mrl));
        libvlc_free(mrl);
        libvlc_media_release(item);
    }
    libvlc_media_list_unlock(list);
    libvlc_media_list_release(list);
    libvlc_media_release(media);
    return mrls;
}

// The store's addresses (UTF-8 text, the file's bytes) in the order the writer lists them: the
// link, or for a channel without one the address line kept with it. A channel with neither is
// written with an empty line, which a player passes over.
std::vector<std::string> storedAddresses(const store::Database& db)
{
    std::vector<std::string> links;
    store::Statement st =
        db.prepare("SELECT p.link, p.extras FROM Grupa g JOIN Playlist p ON p.grupa = "
                   "g.grupa WHERE g.broj > 0 ORDER BY g.broj, p.broj");
    while (st.step()) {
        std::string link = st.columnText(0);
        if (link.empty()) {
            link = playlist::Extras::split(st.columnView(1)).addressLine;
        }
        if (!link.empty()) {
            links.push_back(percentDecoded(link));
        }
    }
    return links;
}

// The attributes before the name of an #EXTINF: line, as written, but those the writer writes
// from columns.
std::vector<std::string> otherAttributes(const std::string& extinf)
{
    static const std::regex list(R"(^#EXTINF:[^ ,]*((?: +[^ =,"]+=(?:"[^"]*"|[^ ,"]*))*) *,)");
    static const std::regex attribute(R"(([^ =,"]+)=("[^"]*"|[^ ,"]*))");
    std::vector<std::string> found;
    std::smatch match;
    if (!std::regex_search(extinf, match, list)) {
        return found;
    }
    const std::string section = match[1];
    for (auto it = std::sregex_iterator(section.begin(), section.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        const std::string key = (*it)[1];
        if (key != "tvg-id" && key != "tvg-name" && key != "tvg-logo" && key != "group-title" &&
            key != "parent-code") {
            found.push_back((*it)[0]);
        }
    }
    return found;
}

// Every entry of the original that waits for its address line comes back in the saved file
// with an address, its comment lines in order and its other attributes. (An entry whose
// #EXTINF: line holds an address itself is complete there; the lines after it are no entry's.)
void expectEveryEntryKept(const std::string& original, const std::string& saved)
{
    std::multimap<std::string, FileEntry> byAddress;
    for (FileEntry& entry : fileEntries(saved)) {
        EXPECT_FALSE(entry.addressLine.empty()) << "no address after " << entry.extinf;
        byAddress.emplace(entry.addressLine, std::move(entry));
    }
    int missing = 0;
    for (const FileEntry& entry : fileEntries(original)) {
        if (entry.addressLine.empty()) {
            continue;
        }
        const auto [from, to] =
            byAddress.equal_range(entry.link.empty() ? entry.addressLine : entry.link);
        const std::vector<std::string> attributes = otherAttributes(entry.extinf);
        const bool kept = std::any_of(from, to, [&](const auto& candidate) {
            const FileEntry& back = candidate.second;
            return back.comments == entry.comments &&
                   std::all_of(attributes.begin(), attributes.end(), [&](const std::string& a) {
                       return back.extinf.find(a) != std::string::npos;
                   });
        });
        if (!kept && ++missing <= 3) {
            ADD_FAILURE() << "not kept: " << entry.extinf << " / " << entry.addressLine;
        }
    }
    EXPECT_EQ(missing, 0);
}

// The name after the comma of an #EXTINF: line that ends its attributes with a quote.
std::string nameOf(const std::string& extinf)
{
    const std::size_t quoteComma = extinf.rfind("\",");
    return extinf.substr(quoteComma == std::string::npos ? extinf.find(',') + 1 : quoteComma + 2);
}

// Every name without a character the clean-up removes comes back as the same bytes.
void expectNamesKept(const std::string& original, const std::string& saved, bool han)
{
    std::multimap<std::string, std::string> savedNames;
    for (const FileEntry& back : fileEntries(saved)) {
        savedNames.emplace(back.addressLine, nameOf(back.extinf));
    }
    std::size_t compared = 0;
    std::size_t nonAscii = 0;
    for (const FileEntry& read : fileEntries(original)) {
        // A tvg-name, when the line has one, is the channel's name.
        std::smatch tvgName;
        const bool named =
            std::regex_search(read.extinf, tvgName, std::regex("tvg-name=\"([^\"]+)\""));
        const std::string name = named ? tvgName[1].str() : nameOf(read.extinf);
        if (read.addressLine.empty() || read.link != read.addressLine ||
            name.find_first_of("\"'*,:") != std::string::npos ||
            std::regex_search(name, std::regex("©|„|ą|¨|Ř|\\xE2|\\xE1|\\xCA"))) {
            continue;
        }
        const auto [from, to] = savedNames.equal_range(read.addressLine);
        const bool found =
            std::any_of(from, to, [&](const auto& back) { return back.second == name; });
        EXPECT_TRUE(found) << name << " / " << read.addressLine;
        ++compared;
        nonAscii += std::any_of(name.begin(), name.end(), [](char c) { return c & 0x80; });
    }
    EXPECT_GT(compared, 0u);
    if (han) {
        EXPECT_GE(nonAscii, 370u); // the Han names (those without a colon or a comma)
    }
}

// One pass over the corpus, read as the UTF-8 text it is: each file comes back with every
// entry and name, the same store and, saved again, the same bytes; a real player reads the
// addresses the store holds.
TEST(RoundTrip, CorpusPlaylistsComeBackAsTheSameStoreAndFileAndPlayInVlc)
{
    const char* const args[] = {"--ignore-config", "--no-lua", "--quiet"};
    libvlc_instance_t* vlc = libvlc_new(3, args);
    ASSERT_NE(vlc, nullptr) << "libVLC cannot start (vlc-plugin-base missing?)";
    const std::vector<std::filesystem::path> files = corpusPlaylists();
    ASSERT_EQ(files.size(), 9u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        RoundTrip trip("Western European");
        trip.home.options().reader.automaticCodepage = true;
        trip.open(file);
        EXPECT_EQ(store::playlistCodepage(trip.home.database())->name, "UTF-8");
        const Rows read = trip.rows("Playlist", false);
        const auto first = trip.save("first.m3u");
        EXPECT_EQ(vlcEntries(vlc, first), storedAddresses(trip.home.database()));
        // Only an address the reader cannot take leaves a channel without a link; the address
        // line itself is kept and written back (six rtmp, mmsh and srt lines in the merged one).
        const std::string original = readFile(file);
        const auto entries = fileEntries(original);
        const auto unread = std::count_if(entries.begin(), entries.end(),
                                          [](const auto& e) { return e.link.empty(); });
        EXPECT_EQ(
            trip.home.database().scalarInt("SELECT count(*) FROM Playlist WHERE link = ''", -1),
            unread);
        if (file.filename().string().starts_with("09_")) {
            EXPECT_EQ(unread, 6);
        }
        expectEveryEntryKept(original, readFile(first));
        expectNamesKept(original, readFile(first), file.filename().string().starts_with("02_"));
        trip.open(first);
        // The same values; only the positions follow the groups now.
        EXPECT_TRUE(trip.rows("Playlist", false) == read);
        const Rows channels = trip.rows("Playlist");
        const Rows groups = trip.rows("Grupa");
        const auto second = trip.save("second.m3u");
        trip.open(second);
        EXPECT_EQ(readFile(first), readFile(second));
        EXPECT_TRUE(trip.rows("Playlist") == channels && trip.rows("Grupa") == groups);
    }
    libvlc_release(vlc);
}

TEST(RoundTrip, BytesTheReaderKeepsComeBackAsTheyWere)
{
    // Listed group after group as the writer lists them, with every byte the reader keeps as it
    // is (no quote, comma, colon, bracket, capital I or byte a clean-up removes).
    std::string kept = "abcxyzABCH0123456789 .-_";
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (std::string_view("\x84\xA8\xA9\xB9\xD8\xE1\xE2\xCA").find(char(b)) ==
            std::string::npos) {
            kept.push_back(static_cast<char>(b));
        }
    }
    std::mt19937 random(7);
    const auto text = [&](const std::string& extra) {
        std::string out = "a";
        for (int i = 0; i < 16; ++i) {
            out.push_back((kept + extra)[random() % (kept.size() + extra.size())]);
        }
        return out + "z";
    };
    std::string playlist = "#EXTM3U\r\n";
    std::string group;
    for (int i = 0; i < 2000; ++i) {
        group = i % 37 == 0 ? "G" + text("") : group;
        const std::string name = text("");
        playlist += "#EXTINF:-1 tvg-id=\"" + text("") + "\" tvg-name=\"" + name + "\" tvg-logo=\"" +
                    (i % 3 ? "http://l/" + text("%|") : "") + "\" group-title=\"" + group + "\"" +
                    (i % 11 ? "" : " parent-code=\"" + std::to_string(i) + "\"") + "," + name +
                    "\r\nhttp://h/" + text("|%?&=/") + (i % 5 ? "" : ".mp4") + "\r\n";
    }
    RoundTrip trip("Western European");
    trip.open(trip.home.folder().write("generated.m3u", playlist));
    const Rows channels = trip.rows("Playlist");
    const Rows groups = trip.rows("Grupa");
    ASSERT_EQ(channels.size(), 2000u);
    // Each address and logo is a line or part of one exactly as it was written.
    std::string saved = readFile(trip.save("saved.m3u"));
    for (std::size_t from = 0, at; (at = playlist.find("http://", from)) != std::string::npos;) {
        from = playlist.find_first_of("\"\r", at);
        ASSERT_NE(saved.find(playlist.substr(at, from - at + 1)), std::string::npos) << at;
    }
    trip.open(trip.home.folder().file("saved.m3u"));
    EXPECT_TRUE(trip.rows("Playlist") == channels && trip.rows("Grupa") == groups);
}

} // namespace
} // namespace listrion::test
