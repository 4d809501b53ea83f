// Exports of real playlists, checked against the rules of the programs that read them.
#include "playlist/Exporters.h"
#include "playlist/PlaylistOpening.h"
#include "playlist/StoreProbe.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ranges>
#include <sstream>
#include <string>
#include <vector>

namespace listrion::test {
namespace {

std::vector<std::string> split(const std::string& text, std::string_view separator)
{
    std::vector<std::string> parts;
    for (const auto part : std::views::split(text, separator)) {
        parts.emplace_back(part.begin(), part.end());
    }
    return parts;
}

std::string restoreColons(std::string text)
{
    for (std::size_t at = text.find("%3a"); at != std::string::npos; at = text.find("%3a", at)) {
        text.replace(at, 3, ":");
    }
    return text;
}

bool wellFormedXml(const std::filesystem::path& file)
{
    const std::string command = "xmllint --noout '" + file.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

playlist::ExportResult exportStore(playlist::ExportFormat format, const ReaderFolder& home,
                                   const std::string& name)
{
    playlist::ExportRequest request;
    request.dataMdb = home.folder().file("data.mdb");
    request.target = home.folder().file(name);
    request.overwrite = true;
    return playlist::exportTo(format, request, nullptr);
}

// The stored links in the order the exports write them.
std::vector<std::string> exportedLinks(const store::Database& db)
{
    store::Statement st = db.prepare("SELECT p.link FROM Grupa g JOIN Playlist p ON p.grupa = "
                                     "g.grupa WHERE g.broj > 0 ORDER BY g.broj, p.broj");
    std::vector<std::string> links;
    while (st.step()) {
        links.push_back(st.columnText(0));
    }
    return links;
}

// Every #SERVICE line has eleven fields, the last being the stored link with each ':' as
// "%3a"; an Enigma2 box turns every "%3a" back into ':', which gives the stored link unless
// the link itself held "%3a" (counted in `ambiguous`).
void checkBouquet(const std::string& file, const std::vector<std::string>& links, int& ambiguous)
{
    const std::vector<std::string> lines = split(file, "\r\n");
    ASSERT_EQ(lines.size(), 2 * links.size() + 2); // header, two per channel, final CR LF
    EXPECT_EQ(lines.front(), "#NAME IPTV");
    const playlist::Codepage& codepage = playlist::Codepage::windows1250();
    for (std::size_t i = 0; i < links.size(); ++i) {
        const std::string& service = lines[1 + 2 * i];
        ASSERT_TRUE(service.starts_with("#SERVICE ")) << service;
        const std::vector<std::string> fields = split(service.substr(9), ":");
        ASSERT_EQ(fields.size(), 11u) << service;
        EXPECT_EQ(fields[3], std::to_string(i + 1));
        const std::string link = codepage.decode(fields[10]);
        if (links[i].find("%3a") != std::string::npos) {
            ++ambiguous;
        } else {
            EXPECT_EQ(restoreColons(link), links[i]);
        }
    }
}

TEST(ExportCorpus, BouquetsAndXmlOfEveryPlaylistAreReadable)
{
    int ascii = 0;
    int ambiguous = 0;
    for (const std::filesystem::path& playlist : corpusPlaylists()) {
        SCOPED_TRACE(playlist.filename().string());
        ReaderFolder home;
        const std::string bytes = readFile(playlist);
        ASSERT_TRUE(home.open(bytes).stored());
        const std::vector<std::string> links = exportedLinks(home.database());
        ASSERT_FALSE(links.empty());
        ASSERT_EQ(exportStore(playlist::ExportFormat::Enigma2, home, "b.tv").status,
                  playlist::ExportStatus::Written);
        checkBouquet(readFile(home.folder().file("b.tv")), links, ambiguous);

        ASSERT_EQ(exportStore(playlist::ExportFormat::Samsung, home, "n.xml").status,
                  playlist::ExportStatus::Written);
        std::string xml = readFile(home.folder().file("n.xml"));
        // The text goes out in the code page although the declaration says UTF-8, so only an
        // ASCII playlist gives a file that a reader takes as it is. Every file must be
        // well-formed once its bytes are declared as ISO-8859-1, which accepts any byte (the
        // raw bytes kept in tvg-ids are not always valid windows-1250).
        if (std::all_of(bytes.begin(), bytes.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            ++ascii;
            EXPECT_TRUE(wellFormedXml(home.folder().file("n.xml")));
        }
        const std::string declared = "encoding=\"UTF-8\"";
        ASSERT_EQ(xml.find(declared), 20u);
        xml.replace(20, declared.size(), "encoding=\"ISO-8859-1\"");
        EXPECT_TRUE(wellFormedXml(home.folder().write("cp.xml", xml)));
    }
    EXPECT_GT(ascii, 0);
    // Two links of the 2020 playlist carry "%3a" in a query.
    EXPECT_EQ(ambiguous, 2);
}

} // namespace
} // namespace listrion::test
