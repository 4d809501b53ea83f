#include "playlist/StoreProbe.h"

#include "playlist/TextDecoding.h"
#include "store/Schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

namespace listrion::test {

std::vector<StoredChannel> storedChannels(const store::Database& db)
{
    std::vector<StoredChannel> rows;
    store::Statement st = db.prepare("SELECT grupa, name, tvgname, tvgid, link, logo, broj, type,"
                                     " parent_code FROM Playlist ORDER BY broj, rowid");
    while (st.step()) {
        rows.push_back({st.columnText(0), st.columnText(1), st.columnText(2), st.columnText(3),
                        st.columnText(4), st.columnText(5), st.columnInt(6), st.columnText(7),
                        st.columnInt(8)});
    }
    return rows;
}

std::vector<StoredGroup> storedGroups(const store::Database& db)
{
    std::vector<StoredGroup> rows;
    store::Statement st =
        db.prepare("SELECT grupa, type, broj, count FROM Grupa ORDER BY broj, rowid");
    while (st.step()) {
        rows.push_back({st.columnText(0), st.columnText(1), st.columnInt(2),
                        st.isNull(3) ? std::nullopt : std::optional(st.columnInt(3))});
    }
    return rows;
}

void expectConsistentStore(const store::Database& db)
{
    EXPECT_EQ(db.scalarInt("SELECT count(*) FROM Playlist p WHERE (SELECT count(*) FROM Grupa g "
                           "WHERE g.grupa = p.grupa) <> 1",
                           -1),
              0)
        << "channels whose group is not exactly one Grupa row";
    EXPECT_EQ(store::Schema::missingParts(db), std::vector<std::string>());
    for (const std::string table : {"Grupa", "Playlist"}) {
        const std::string backup = table + "_backup";
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM " + table, -1),
                  db.scalarInt("SELECT count(*) FROM " + backup, -2));
        EXPECT_EQ(db.scalarInt("SELECT count(*) FROM (SELECT * FROM " + table +
                                   " EXCEPT SELECT * FROM " + backup + ")",
                               -1),
                  0)
            << table << " and its snapshot differ";
    }
    store::Statement st =
        db.prepare("SELECT grupa, name, tvgname, tvgid, link, logo FROM Playlist");
    while (st.step()) {
        for (int column = 0; column < 6; ++column) {
            ASSERT_TRUE(playlist::isWellFormedUtf8(st.columnView(column))) << st.columnText(column);
        }
    }
}

std::string firstAddress(const std::string& line)
{
    std::size_t best = std::string::npos;
    for (const char* scheme : {"http:", "https:", "rtsp:", "udp:", "rtp:"}) {
        for (std::size_t at = line.find(scheme); at != std::string::npos;
             at = line.find(scheme, at + 1)) {
            if (at < 10 || line.compare(at - 10, 10, "tvg-logo=\"") != 0) {
                best = std::min(best, at);
                break;
            }
        }
    }
    if (best == std::string::npos) {
        return {};
    }
    std::string link = line.substr(best, line.find("#EXTINF:", best + 1) - best);
    link.erase(link.find_last_not_of(' ') + 1);
    return link;
}

std::vector<FileEntry> fileEntries(const std::string& bytes)
{
    std::vector<FileEntry> entries;
    std::istringstream in(bytes);
    std::string line;
    std::optional<FileEntry> pending;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t first = line.find_first_not_of(' ');
        const std::size_t last = line.find_last_not_of(' ');
        if (line.starts_with("#EXTINF:")) {
            pending = FileEntry{line, {}, {}, firstAddress(line)};
            if (!pending->link.empty()) {
                entries.push_back(*pending);
                pending.reset();
            }
        } else if (pending && (first == std::string::npos || line[first] == '#')) {
            if (first != std::string::npos) {
                pending->comments.push_back(line.substr(first));
            }
        } else if (pending) {
            pending->addressLine = line.substr(first, last - first + 1);
            pending->link = firstAddress(line);
            entries.push_back(*pending);
            pending.reset();
        }
    }
    return entries;
}

std::string entries(int count, bool header)
{
    std::string text = header ? "#EXTM3U\n" : "";
    for (int i = 1; i <= count; ++i) {
        text += "#EXTINF:-1 group-title=\"G" + std::to_string(i % 3) + "\",Ch " +
                std::to_string(i) + "\nhttp://s/" + std::to_string(i) + "\n";
    }
    return text;
}

std::vector<std::filesystem::path> corpusPlaylists()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(LISTRION_CORPUS_DIR)) {
        if (entry.path().extension() == ".m3u") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

ReaderFolder::ReaderFolder()
{
    m_options.dataMdb = m_folder.file("data.mdb");
    m_options.tempM3u = m_folder.file("temp.m3u");
    store::Schema::open(m_options.dataMdb);
}

store::Database ReaderFolder::database() const
{
    return store::Schema::open(m_options.dataMdb);
}

playlist::LoadResult ReaderFolder::open(const std::string& bytes,
                                        playlist::ProgressObserver* observer)
{
    return playlist::Open_Playlist(m_folder.write("list.m3u", bytes), m_options, observer);
}

} // namespace listrion::test
