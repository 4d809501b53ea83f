// Playlists read as UTF-8: which files are, what the text rules do to their characters, and
// what saving gives back.
#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"
#include "store/Tables.h"

#include <gtest/gtest.h>

namespace listrion::test {
namespace {

using playlist::Codepage;

struct AutoFolder {
    ReaderFolder home;
    explicit AutoFolder(const std::string& region = "Western European")
    {
        home.options().reader.automaticCodepage = true;
        home.options().reader.region = region;
    }
    std::vector<StoredChannel> open(const std::string& bytes)
    {
        const auto result = home.open(bytes);
        EXPECT_EQ(result.status, playlist::LoadStatus::Loaded) << result.message;
        const store::Database db = home.database();
        expectConsistentStore(db);
        return storedChannels(db);
    }
    std::string codepage() const
    {
        const auto recorded = store::playlistCodepage(home.database());
        return recorded ? recorded->name + (recorded->bom ? "+BOM" : "") : "(none)";
    }
    std::string save()
    {
        const auto file = home.folder().file("saved.m3u");
        playlist::SaveOptions options{home.options().dataMdb, home.options().reader.codepage, true};
        EXPECT_TRUE(playlist::Save_Playlist(file, options, nullptr).saved());
        return readFile(file);
    }
};

std::string entry(const std::string& extinf, const std::string& link = "http://x/1")
{
    return "#EXTINF:-1 " + extinf + "\r\n" + link + "\r\n";
}

TEST(Utf8Reading, CleanUpsWorkOnCharactersAndNeverOnBytesInsideThem)
{
    AutoFolder folder;
    const auto rows = folder.open(
        "#EXTM3U\r\n" + entry("tvg-id=\"©Sky.gr„\" group-title=\"Παιδικά ©\",Παιδικά „Ř“ ą¨ Ω*") +
        entry("tvg-name=\"Ř ع\" group-title=\"✦●✦ Ελλάδα\",Ελλάδα ᵁᴴᴰ") +
        entry("group-title=\"日本\",日本 %E3%81%82 100%"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(folder.codepage(), "UTF-8");
    // ι and ά keep their second bytes (B9, AC): only whole characters are removed.
    EXPECT_EQ(rows[0].grupa, "Παιδικά ");
    EXPECT_EQ(rows[0].name, "Παιδικά “  Ω");
    EXPECT_EQ(rows[0].tvgname, rows[0].name);
    EXPECT_EQ(rows[0].tvgid, "Sky.gr");
    // Ř goes from the name only, not from the tvg-name.
    EXPECT_EQ(rows[1].name, "ع");
    EXPECT_EQ(rows[1].tvgname, "Ř ع");
    EXPECT_EQ(rows[1].grupa, "=== Ελλάδα");
    EXPECT_EQ(rows[2].name, "日本 %E3%81%82 100%");

    // Under a decoding region the escapes are decoded, the text is not decoded again and only
    // the ten letters fold; an escape that is no character stays as it was written.
    AutoFolder decoding("Central European");
    const auto decoded =
        decoding.open(entry("group-title=\"Šport%20%D0%A1%FF\",Čt Ελλάδα %C5%A0 100% Ђ đ"));
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0].grupa, "Sport С%FF");
    EXPECT_EQ(decoded[0].name, "Ct Ελλάδα S 100% Ђ d");
}

TEST(Utf8Reading, ABadByteReadsTheWholeFileInTheSingleBytePage)
{
    const std::string utf8 = entry("group-title=\"Šport\",Ελλάδα") + entry("group-title=\"b\",Ω");
    // The configured page, not the default one.
    const std::string fallback = "windows-1251";
    AutoFolder folder;
    folder.home.options().reader.codepage = Codepage::find(fallback);
    // One byte E8 at the very end: the whole file is single-byte text.
    const auto rows = folder.open(utf8 + "#EXTINF:-1,x\xE8\r\nhttp://x/2\r\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(folder.codepage(), fallback);
    EXPECT_EQ(rows[0].grupa, Codepage::find(fallback)->decode("\xC5\xA0port"));
    EXPECT_EQ(rows[2].name, "x\u0438");
    // Saved back through the same page, the bytes are what they were.
    EXPECT_NE(folder.save().find("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1\r\n"),
              std::string::npos);
}

std::string utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(Utf8Reading, ByteOrderMarksAndUtf16)
{
    // A UTF-8 mark is dropped on reading (the header is the header) and written on saving.
    AutoFolder marked;
    const auto rows =
        marked.open("\xEF\xBB\xBF#EXTM3U x-tvg-url=\"http://e/\" refresh=\"3600\"\r\n" +
                    entry("group-title=\"Κύπρος\",Ω"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].broj, 2); // the header line still counts
    EXPECT_EQ(marked.codepage(), "UTF-8+BOM");
    EXPECT_EQ(store::playlistExtras(marked.home.database()), "refresh=\"3600\"");
    EXPECT_EQ(marked.save(),
              "\xEF\xBB\xBF#EXTM3U refresh=\"3600\"\r\n#EXTINF:-1 tvg-id=\"ext\" "
              "tvg-name=\"Ω\" tvg-logo=\"\" group-title=\"Κύπρος\",Ω\r\nhttp://x/1\r\n");

    // UTF-16 with its mark, either byte order, is text too, saved as UTF-8; a surrogate pair
    // is one character.
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian);
        AutoFolder folder;
        const auto read = folder.open(
            utf16(u"#EXTM3U\r\n#EXTINF:-1 group-title=\"Ελλάδα\",ΕΡΤ 𝄞 北京\r\nhttp://x/1\r\n",
                  bigEndian));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].name, "ΕΡΤ 𝄞 北京");
        EXPECT_EQ(folder.codepage(), "UTF-8");
        EXPECT_EQ(folder.save().substr(0, 9), "#EXTM3U\r\n");
    }
}

} // namespace
} // namespace listrion::test
