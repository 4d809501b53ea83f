#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace listrion::test {
namespace {

using playlist::SaveStatus;
using store::Value;

struct Row {
    Value grupa, name, tvgname, tvgid, link, logo;
    std::int64_t broj = 0;
    Value parentCode = std::int64_t{0};
};

// A program folder whose store is filled row by row.
class WriterFolder {
public:
    WriterFolder() : m_db(store::Schema::open(m_folder.file("data.mdb")))
    {
        m_options.dataMdb = m_folder.file("data.mdb");
    }

    void group(const std::string& name, std::int64_t broj, bool ticked = false)
    {
        m_db.prepare("INSERT INTO Grupa (izberi, grupa, type, broj) VALUES (?, ?, 'Live', ?)")
            .bindAll(ticked, name, broj)
            .run();
    }
    void channel(const Row& row)
    {
        m_db.prepare("INSERT INTO Playlist (grupa, name, tvgname, tvgid, link, logo, broj, type, "
                     "parent_code) VALUES (?, ?, ?, ?, ?, ?, ?, 'Live', ?)")
            .bindAll(row.grupa, row.name, row.tvgname, row.tvgid, row.link, row.logo, row.broj,
                     row.parentCode)
            .run();
    }
    void epg(const std::string& address)
    {
        m_db.prepare("INSERT INTO SS_Epg VALUES (?)").bindAll(address).run();
    }

    store::Database& db() { return m_db; }
    playlist::SaveOptions& options() { return m_options; }
    const TempFolder& folder() const { return m_folder; }
    std::filesystem::path file(const std::string& name) const { return m_folder.file(name); }

    playlist::SaveResult save(const std::string& name, bool ticked = false,
                              playlist::ProgressObserver* observer = nullptr)
    {
        return ticked ? playlist::Export_Groups(file(name), m_options, observer)
                      : playlist::Save_Playlist(file(name), m_options, observer);
    }

private:
    TempFolder m_folder;
    store::Database m_db;
    playlist::SaveOptions m_options;
};

Row plain(const std::string& grupa, const std::string& name, std::int64_t broj)
{
    return {grupa, name, name, "id." + name, "http://s/" + name, "", broj};
}

// Cancels once `after` channels have been asked about; records every report.
class StoppingObserver : public playlist::ProgressObserver {
public:
    explicit StoppingObserver(int after) : m_after(after) {}
    void progress(const playlist::Progress& progress) override
    {
        reports.push_back(progress.written);
    }
    bool cancelRequested() override { return ++m_asked > m_after; }

    std::vector<std::int64_t> reports;

private:
    int m_after;
    int m_asked = 0;
};

TEST(Writer, OneChannelGivesTheHeaderTheExtinfLineAndTheLink)
{
    WriterFolder home;
    home.group("News", 1);
    home.channel({"News", "BBC", "BBC World", "bbc.uk", "http://b/1", "http://l/b.png", 2});
    const auto result = home.save("a.m3u");
    ASSERT_EQ(result.status, SaveStatus::Saved) << result.message;
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.groups, 1);
    EXPECT_EQ(readFile(home.file("a.m3u")),
              "#EXTM3U\r\n"
              "#EXTINF:-1 tvg-id=\"bbc.uk\" tvg-name=\"BBC World\" tvg-logo=\"http://l/b.png\" "
              "group-title=\"News\",BBC\r\n"
              "http://b/1\r\n");

    home.epg("http://epg.example/guide.xml");
    ASSERT_TRUE(home.save("b.m3u").saved());
    EXPECT_TRUE(readFile(home.file("b.m3u"))
                    .starts_with("#EXTM3U x-tvg-url=\"http://epg.example/guide.xml\"\r\n#EXTINF"));
}

TEST(Writer, GroupsAndChannelsInPositionOrderWithTheirOwnValues)
{
    WriterFolder home;
    home.group("Sport", 2);
    home.group("Hidden", 0);
    home.group("news", 1);
    home.channel(plain("Sport", "S2", 9));
    home.channel(plain("Hidden", "H1", 1));
    home.channel(plain("Sport", "S1", 5));
    // Found through the group row's name, written with the channel's own spelling.
    home.channel(plain("NEWS", "N1", 3));
    // Empty and NULL columns give empty quotes; line breaks leave names and tvg-names.
    home.channel({"news", "Two\nLines\r", Value{}, Value{}, Value{}, Value{}, 4, Value{}});
    home.channel({"news", "Name", "tvg\r\nname", "", "http://n/3", Value{}, 7});
    const auto result = home.save("a.m3u");
    ASSERT_TRUE(result.saved()) << result.message;
    EXPECT_EQ(result.written, 5);
    EXPECT_EQ(result.groups, 2);
    EXPECT_EQ(
        readFile(home.file("a.m3u")),
        "#EXTM3U\r\n"
        "#EXTINF:-1 tvg-id=\"id.N1\" tvg-name=\"N1\" tvg-logo=\"\" group-title=\"NEWS\",N1\r\n"
        "http://s/N1\r\n"
        "#EXTINF:-1 tvg-id=\"\" tvg-name=\"\" tvg-logo=\"\" group-title=\"news\",TwoLines\r\n"
        "\r\n"
        "#EXTINF:-1 tvg-id=\"\" tvg-name=\"tvgname\" tvg-logo=\"\" group-title=\"news\",Name\r\n"
        "http://n/3\r\n"
        "#EXTINF:-1 tvg-id=\"id.S1\" tvg-name=\"S1\" tvg-logo=\"\" group-title=\"Sport\",S1\r\n"
        "http://s/S1\r\n"
        "#EXTINF:-1 tvg-id=\"id.S2\" tvg-name=\"S2\" tvg-logo=\"\" group-title=\"Sport\",S2\r\n"
        "http://s/S2\r\n");
}

TEST(Writer, ParentCodeOnlyWhenACodeIsStored)
{
    WriterFolder home;
    home.group("G", 1);
    const std::vector<Value> codes = {std::int64_t{1234}, std::string("0042"), std::int64_t{0},
                                      std::string("0"),   std::string(""),     Value{},
                                      std::int64_t{-7}};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        Row row = plain("G", "C" + std::to_string(i), static_cast<std::int64_t>(i) + 1);
        row.parentCode = codes[i];
        home.channel(row);
    }
    ASSERT_TRUE(home.save("a.m3u").saved());
    const std::string text = readFile(home.file("a.m3u"));
    EXPECT_NE(text.find("group-title=\"G\" parent-code=\"1234\",C0\r\n"), std::string::npos);
    EXPECT_NE(text.find("group-title=\"G\" parent-code=\"0042\",C1\r\n"), std::string::npos);
    EXPECT_NE(text.find("group-title=\"G\" parent-code=\"-7\",C6\r\n"), std::string::npos);
    for (const char* name : {"C2", "C3", "C4", "C5"}) {
        EXPECT_NE(text.find(std::string("group-title=\"G\",") + name + "\r\n"), std::string::npos)
            << name;
    }

    // The reader reads the code back as it was written.
    ReaderFolder reader;
    ASSERT_TRUE(reader.open(text).stored());
    const auto rows = storedChannels(reader.database());
    ASSERT_EQ(rows.size(), codes.size());
    EXPECT_EQ(rows[0].parentCode, 1234);
    EXPECT_EQ(rows[1].parentCode, 42);
    EXPECT_EQ(rows[2].parentCode, 0);
    EXPECT_EQ(rows[6].parentCode, -7);
}

TEST(Writer, TextGoesThroughTheConfiguredCodepage)
{
    WriterFolder home;
    home.group("Šport", 1);
    home.channel({"Šport", "Арена € 日", "Арена", "", "http://x/ü", "", 1});
    ASSERT_TRUE(home.save("1250.m3u").saved());
    EXPECT_EQ(readFile(home.file("1250.m3u")),
              "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"\" tvg-name=\"?????\" tvg-logo=\"\" "
              "group-title=\"\x8Aport\",????? \x80 ?\r\nhttp://x/\xFC\r\n");

    home.options().codepage = playlist::Codepage::find("windows-1251");
    ASSERT_TRUE(home.save("1251.m3u").saved());
    EXPECT_EQ(readFile(home.file("1251.m3u")),
              "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"\" tvg-name=\"\xC0\xF0\xE5\xED\xE0\" tvg-logo=\"\" "
              "group-title=\"?port\",\xC0\xF0\xE5\xED\xE0 \x88 ?\r\nhttp://x/?\r\n");
}

TEST(Writer, ExportWritesTheTickedGroupsOnly)
{
    WriterFolder home;
    home.group("A", 1, true);
    home.group("B", 2);
    home.group("C", 3, true);
    home.group("D", 0, true);
    for (const char* g : {"A", "B", "C", "D"}) {
        home.channel(plain(g, std::string(g) + "1", 1));
    }
    const auto result = home.save("ticked.m3u", true);
    ASSERT_TRUE(result.saved()) << result.message;
    EXPECT_EQ(result.written, 2);
    const std::string text = readFile(home.file("ticked.m3u"));
    EXPECT_NE(text.find(",A1\r\n"), std::string::npos);
    EXPECT_NE(text.find(",C1\r\n"), std::string::npos);
    EXPECT_EQ(text.find(",B1\r\n"), std::string::npos);
    EXPECT_EQ(text.find(",D1\r\n"), std::string::npos);

    WriterFolder none;
    none.group("A", 1);
    none.channel(plain("A", "A1", 1));
    ASSERT_TRUE(none.save("none.m3u", true).saved());
    EXPECT_EQ(readFile(none.file("none.m3u")), "#EXTM3U\r\n");
}

TEST(Writer, AnExistingFileIsReplacedOnlyWhenComplete)
{
    WriterFolder home;
    home.group("G", 1);
    store::Transaction fill(home.db());
    for (int i = 1; i <= 3000; ++i) {
        // Long enough that the file gets its first blocks well before the last channel.
        Row row = plain("G", "C" + std::to_string(i), i);
        row.logo = "http://logo/" + std::string(600, 'x');
        home.channel(row);
    }
    fill.commit();
    const auto target = home.folder().write("old.m3u", "old\r\n");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    const auto entriesInFolder = [&] {
        return std::distance(std::filesystem::directory_iterator(home.folder().path()),
                             std::filesystem::directory_iterator());
    };
    const auto before = entriesInFolder();

    // The answer No.
    auto result = home.save("old.m3u");
    EXPECT_EQ(result.status, SaveStatus::NotReplaced);
    EXPECT_NE(result.message.find("old.m3u"), std::string::npos);
    EXPECT_EQ(readFile(target), "old\r\n");

    // Cancel half-way, after the first block of the file has been written.
    home.options().replaceExisting = true;
    StoppingObserver stop(2500);
    result = home.save("old.m3u", false, &stop);
    EXPECT_EQ(result.status, SaveStatus::Cancelled);
    EXPECT_EQ(result.written, 2500);
    EXPECT_EQ(readFile(target), "old\r\n");
    EXPECT_EQ(entriesInFolder(), before);
    EXPECT_EQ(stop.reports, (std::vector<std::int64_t>{1024, 2048}));

    // Yes: the new file with the old file's permissions; progress up to the last channel.
    StoppingObserver all(1 << 30);
    result = home.save("old.m3u", false, &all);
    ASSERT_TRUE(result.saved()) << result.message;
    EXPECT_EQ(result.written, 3000);
    EXPECT_EQ(all.reports.back(), 3000);
    EXPECT_TRUE(readFile(target).ends_with("\",C3000\r\nhttp://s/C3000\r\n"));
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(entriesInFolder(), before);

    // Failures are results: no file name, a missing folder, a folder in the way.
    EXPECT_EQ(playlist::Save_Playlist("", home.options(), nullptr).status, SaveStatus::NotReplaced);
    result = home.save("missing/x.m3u");
    EXPECT_EQ(result.status, SaveStatus::Failed);
    EXPECT_NE(result.message.find("missing"), std::string::npos);
    std::filesystem::create_directory(home.file("folder.m3u"));
    EXPECT_EQ(home.save("folder.m3u").status, SaveStatus::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(home.file("folder.m3u")));
    EXPECT_EQ(entriesInFolder(), before + 1);
}

} // namespace
} // namespace listrion::test
