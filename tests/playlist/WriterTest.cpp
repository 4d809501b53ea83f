#include "playlist/EncodedLineWriter.h"
#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <gtest/gtest.h>

namespace listrion::test {
namespace {

using playlist::SaveStatus;
using store::Value;

// A program folder whose store is filled row by row.
struct WriterFolder {
    TempFolder folder;
    store::Database db = store::Schema::open(folder.file("data.mdb"));
    playlist::SaveOptions options{folder.file("data.mdb")};

    void group(const std::string& name, std::int64_t broj, bool ticked = false)
    {
        db.prepare("INSERT INTO Grupa (izberi, grupa, type, broj) VALUES (?, ?, 'Live', ?)")
            .bindAll(ticked, name, broj)
            .run();
    }
    // grupa, name, tvgname, tvgid, link, logo, broj, parent_code, extras
    void channel(const std::vector<Value>& v)
    {
        db.prepare("INSERT INTO Playlist (grupa, name, tvgname, tvgid, link, logo, broj, "
                   "parent_code, extras) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .bindAll(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v.size() > 7 ? v[7] : Value{},
                     v.size() > 8 ? v[8] : Value{})
            .run();
    }
    void channel(const std::string& grupa, const std::string& name, std::int64_t broj)
    {
        channel({grupa, name, name, "id", "http://s/" + name, "", broj});
    }
    playlist::SaveResult save(const std::string& name, bool ticked = false,
                              playlist::ProgressObserver* observer = nullptr)
    {
        return (ticked ? playlist::Export_Groups : playlist::Save_Playlist)(folder.file(name),
                                                                            options, observer);
    }
    std::string saved(const std::string& name) { return readFile(folder.file(name)); }
};

TEST(Writer, GroupsAndChannelsInPositionOrderWithEveryAttribute)
{
    WriterFolder home;
    home.group("Sport", 2);
    home.group("Hidden", 0);
    home.group("news", 1);
    home.channel("Sport", "S2", 9);
    home.channel("Hidden", "H1", 1);
    // Found through the group row's name, written with the channel's own spelling.
    home.channel({"NEWS", "N1", "N one", "n.id", "http://n/1", "http://l/1.png", 3L, 1234L});
    // NULL columns are empty text; line breaks leave names and tvg-names.
    home.channel({"news", "Two\nLines\r", Value{}, Value{}, Value{}, Value{}, 4L});
    home.channel({"news", "N3", "tvg\r\nname", "", "http://n/3", "", 7L, "0042"});
    for (const Value& none : {Value{0L}, Value{"0"}, Value{""}, Value{}}) {
        home.channel({"Sport", "S1", "S1", "id", "http://s/S1", "", 5L, none});
    }
    auto result = home.save("a.m3u");
    ASSERT_TRUE(result.saved()) << result.message;
    EXPECT_EQ(result.written, 8);
    EXPECT_EQ(result.groups, 2);
    std::string s1;
    for (int i = 0; i < 4; ++i) {
        s1 += "#EXTINF:-1 tvg-id=\"id\" tvg-name=\"S1\" tvg-logo=\"\" group-title=\"Sport\",S1\r\n"
              "http://s/S1\r\n";
    }
    EXPECT_EQ(
        home.saved("a.m3u"),
        "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"n.id\" tvg-name=\"N one\" tvg-logo=\"http://l/1.png\" "
        "group-title=\"NEWS\" parent-code=\"1234\",N1\r\nhttp://n/1\r\n"
        "#EXTINF:-1 tvg-id=\"\" tvg-name=\"\" tvg-logo=\"\" group-title=\"news\",TwoLines\r\n"
        "\r\n#EXTINF:-1 tvg-id=\"\" tvg-name=\"tvgname\" tvg-logo=\"\" group-title=\"news\" "
        "parent-code=\"0042\",N3\r\nhttp://n/3\r\n" +
            s1 +
            "#EXTINF:-1 tvg-id=\"id\" tvg-name=\"S2\" tvg-logo=\"\" group-title=\"Sport\",S2"
            "\r\nhttp://s/S2\r\n");

    // The reader reads the code back; the guide's address goes into the header.
    ReaderFolder reader;
    ASSERT_TRUE(reader.open(home.saved("a.m3u")).stored());
    EXPECT_EQ(storedChannels(reader.database())[0].parentCode, 1234);
    home.db.exec("INSERT INTO SS_Epg VALUES ('http://epg/g.xml')");
    ASSERT_TRUE(home.save("b.m3u").saved());
    EXPECT_TRUE(home.saved("b.m3u").starts_with("#EXTM3U x-tvg-url=\"http://epg/g.xml\"\r\n#EXT"));
}

TEST(Writer, FullModeWritesTheExtrasBackAndDesignModeOnlyTheColumns)
{
    WriterFolder home;
    home.group("G", 1);
    home.channel({"G", "A", "A", "a", "http://s/a", "", 1L, 0L,
                  "catchup=\"default\" user-agent=\"UA, 1\"\n#EXTVLCOPT:http-user-agent=UA/1\n"
                  "#KODIPROP:k=v"});
    // An address line the reader could not take is written in the place of the empty link.
    home.channel({"G", "B", "B", "b", "", "", 2L, 1234L, "\nrtmp://s/b"});
    home.channel({"G", "C", "C", "c", "http://s/c", "", 3L, 0L, "\n#EXTGRP:G"});
    home.channel({"G", "D", "D", "d", "http://s/d", "", 4L}); // added by hand: nothing more
    home.db.exec("INSERT INTO SS_Epg VALUES ('http://epg/g.xml');"
                 "INSERT INTO Izbrana_Playlista (Ime, extras) VALUES ('/tv/x.m3u', "
                 "'url-tvg=\"http://g/\" t=1')");
    ASSERT_TRUE(home.save("full.m3u").saved());
    const std::string line = "#EXTINF:-1 tvg-id=\"";
    EXPECT_EQ(home.saved("full.m3u"),
              "#EXTM3U x-tvg-url=\"http://epg/g.xml\" url-tvg=\"http://g/\" t=1\r\n" + line +
                  "a\" tvg-name=\"A\" tvg-logo=\"\" group-title=\"G\" catchup=\"default\" "
                  "user-agent=\"UA, 1\",A\r\n#EXTVLCOPT:http-user-agent=UA/1\r\n#KODIPROP:k=v\r\n"
                  "http://s/a\r\n" +
                  line +
                  "b\" tvg-name=\"B\" tvg-logo=\"\" group-title=\"G\" parent-code=\"1234\",B\r\n"
                  "rtmp://s/b\r\n" +
                  line + "c\" tvg-name=\"C\" tvg-logo=\"\" group-title=\"G\",C\r\n#EXTGRP:G\r\n" +
                  "http://s/c\r\n" + line +
                  "d\" tvg-name=\"D\" tvg-logo=\"\" group-title=\"G\",D\r\nhttp://s/d\r\n");

    // Design mode: the lines of the columns, as before the extras were kept.
    home.options.mode = playlist::PlaylistMode::Design;
    ASSERT_TRUE(home.save("design.m3u").saved());
    EXPECT_EQ(home.saved("design.m3u"),
              "#EXTM3U x-tvg-url=\"http://epg/g.xml\"\r\n" + line +
                  "a\" tvg-name=\"A\" tvg-logo=\"\" group-title=\"G\",A\r\nhttp://s/a\r\n" + line +
                  "b\" tvg-name=\"B\" tvg-logo=\"\" group-title=\"G\" parent-code=\"1234\",B\r\n"
                  "\r\n" +
                  line + "c\" tvg-name=\"C\" tvg-logo=\"\" group-title=\"G\",C\r\nhttp://s/c\r\n" +
                  line + "d\" tvg-name=\"D\" tvg-logo=\"\" group-title=\"G\",D\r\nhttp://s/d\r\n");
}

TEST(Writer, TextGoesThroughTheConfiguredCodepage)
{
    WriterFolder home;
    home.group("Šport", 1);
    home.channel({"Šport", "Арена € 日", "Арена", "", "http://x/ü", "", 1L});
    home.options.codepage = playlist::Codepage::find("windows-1251");
    ASSERT_TRUE(home.save("1251.m3u").saved());
    EXPECT_EQ(home.saved("1251.m3u"),
              "#EXTM3U\r\n#EXTINF:-1 tvg-id=\"\" tvg-name=\"\xC0\xF0\xE5\xED\xE0\" tvg-logo=\"\" "
              "group-title=\"?port\",\xC0\xF0\xE5\xED\xE0 \x88 ?\r\nhttp://x/?\r\n");

    // The line writer on its own, as the exporters use it.
    playlist::EncodedLineWriter out(home.folder.file("raw.txt"), text::Codepage::windows1250());
    out.text("č ");
    out.raw("\xC4\x8D");
    out.line("");
    out.commit();
    EXPECT_EQ(home.saved("raw.txt"), "\xE8 \xC4\x8D\r\n");
}

TEST(Writer, ExportWritesTheTickedGroupsOnly)
{
    WriterFolder home;
    for (const auto& [group, broj, ticked] :
         {std::tuple{"A", 1, true}, {"B", 2, false}, {"C", 3, true}, {"D", 0, true}}) {
        home.group(group, broj, ticked);
        home.channel(group, std::string(group) + "1", 1);
    }
    ASSERT_EQ(home.save("ticked.m3u", true).written, 2);
    const std::string text = home.saved("ticked.m3u");
    EXPECT_TRUE(text.find(",A1\r\n") < text.find(",C1\r\n") && text.find(",C1\r\n") != text.npos);
    EXPECT_EQ(text.find(",B1"), text.npos);
    EXPECT_EQ(text.find(",D1"), text.npos);
    home.db.exec("UPDATE Grupa SET izberi=0");
    ASSERT_TRUE(home.save("none.m3u", true).saved());
    EXPECT_EQ(home.saved("none.m3u"), "#EXTM3U\r\n");
}

// Cancels once `after` channels have been asked about; records every report.
struct StoppingObserver : playlist::ProgressObserver {
    int after;
    std::vector<std::int64_t> reports;
    explicit StoppingObserver(int stopAfter) : after(stopAfter) {}
    void progress(const playlist::Progress& p) override { reports.push_back(p.written); }
    bool cancelRequested() override { return --after < 0; }
};

TEST(Writer, AnExistingFileIsReplacedOnlyWhenComplete)
{
    WriterFolder home;
    home.group("G", 1);
    store::Transaction fill(home.db);
    for (int i = 1; i <= 3000; ++i) {
        // Long enough that the file gets its first blocks well before the last channel.
        home.channel({"G", "C" + std::to_string(i), "", "", "http://s/", std::string(600, 'x'),
                      Value{std::int64_t{i}}});
    }
    fill.commit();
    namespace fs = std::filesystem;
    const auto target = home.folder.write("old.m3u", "old\r\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const auto entries = [&] {
        return std::distance(fs::directory_iterator(home.folder.path()), fs::directory_iterator());
    };
    const auto before = entries();

    auto result = home.save("old.m3u"); // the answer No
    EXPECT_EQ(result.status, SaveStatus::NotReplaced);
    EXPECT_NE(result.message.find("old.m3u"), std::string::npos);
    home.options.replaceExisting = true;
    StoppingObserver stop(2500);
    result = home.save("old.m3u", false, &stop);
    EXPECT_EQ(result.status, SaveStatus::Cancelled);
    EXPECT_EQ(result.written, 2500);
    EXPECT_EQ(stop.reports, (std::vector<std::int64_t>{1024, 2048}));
    EXPECT_EQ(home.saved("old.m3u"), "old\r\n");
    EXPECT_EQ(entries(), before);

    StoppingObserver all(1 << 30);
    ASSERT_TRUE(home.save("old.m3u", false, &all).saved());
    EXPECT_EQ(all.reports.back(), 3000);
    EXPECT_TRUE(home.saved("old.m3u").ends_with(",C3000\r\nhttp://s/\r\n"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), before);

    // Failures are results: no file name, a missing folder, a folder in the way.
    EXPECT_EQ(playlist::Save_Playlist("", home.options, nullptr).status, SaveStatus::NotReplaced);
    EXPECT_EQ(home.save("missing/x.m3u").status, SaveStatus::Failed);
    fs::create_directory(home.folder.file("dir.m3u"));
    result = home.save("dir.m3u");
    EXPECT_EQ(result.status, SaveStatus::Failed);
    EXPECT_NE(result.message.find("dir.m3u"), std::string::npos);
    EXPECT_EQ(entries(), before + 1);
}

} // namespace
} // namespace listrion::test
