// What the command line keeps, whatever happens around it: one writer per program folder,
// reading commands on read-only stores and beside a writer, failed writes rolled back, Ctrl+C
// honoured at once, nothing left behind by killed commands, and a check of the whole store.
#include "store/Database.h"
#include "store/FolderLock.h"
#include "store/IncomingTables.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <future>
#include <set>

namespace listrion {
namespace {

using namespace std::chrono_literals;
using test::runCli;

#ifdef LISTRION_SANITIZED
constexpr auto kPrompt = 4000ms; // the sanitizers make every step several times slower
#else
constexpr auto kPrompt = 1000ms;
#endif

std::string playlist(int entries, const std::string& prefix)
{
    std::string text = "#EXTM3U\n";
    for (int i = 1; i <= entries; ++i) {
        text += "#EXTINF:-1 tvg-id=\"" + prefix + std::to_string(i) + "\" group-title=\"" + prefix +
                " " + std::to_string(i % 40) + "\"," + prefix + " channel " + std::to_string(i) +
                "\nhttp://stream.example/" + prefix + "/" + std::to_string(i) + ".m3u8\n";
    }
    return text;
}

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(CliFolderLock, AChangingCommandWaitsThenGivesUpWithoutTouchingAnything)
{
    test::TempFolder home;
    ASSERT_EQ(
        runCli(home.path(), {"open", home.write("a.m3u", playlist(50, "A")).string()}).exitCode, 0);
    const std::string before = runCli(home.path(), {"channels"}).out;
    {
        const store::FolderLock editor = store::FolderLock::acquire(home.file("data.mdb"), 0ms);
        ASSERT_TRUE(editor.held());
        for (const std::string command : {"renumber", "compact"}) {
            const auto started = std::chrono::steady_clock::now();
            const test::CliResult r = runCli(home.path(), {command});
            EXPECT_GE(std::chrono::steady_clock::now() - started, 2s) << command;
            EXPECT_EQ(r.exitCode, 1) << command;
            EXPECT_EQ(r.err, "listrion-cli " + command +
                                 ": the playlist is busy in another Listrion window or command\n");
            EXPECT_TRUE(r.out.empty()) << r.out;
        }
        // Reading commands run beside the writer.
        EXPECT_EQ(runCli(home.path(), {"channels"}).out, before);
        EXPECT_EQ(runCli(home.path(), {"check"}).out, "ok\n");
    }
    EXPECT_EQ(runCli(home.path(), {"renumber"}).exitCode, 0);
}

// Two opens on one folder a moment apart: before the lock their batches interleaved into a
// store holding both files.
TEST(CliFolderLock, TwoOpensAtOnceLeaveOneWholePlaylist)
{
    test::TempFolder home;
    const auto a = home.write("a.m3u", playlist(60000, "A"));
    const auto b = home.write("b.m3u", playlist(40000, "B"));
    for (const auto delay : {50ms, 250ms}) {
        auto first = std::async(std::launch::async, [&] {
            return runCli(home.path(), {"open", a.string()});
        });
        std::this_thread::sleep_for(delay);
        const test::CliResult second = runCli(home.path(), {"open", b.string()});
        const test::CliResult one = first.get();
        EXPECT_EQ(one.exitCode, 0) << one.err;
        EXPECT_TRUE(second.exitCode == 0 || second.err.find("is busy") != std::string::npos)
            << second.err;
        EXPECT_EQ(runCli(home.path(), {"check"}).out, "ok\n");
        const std::string info = runCli(home.path(), {"info"}).out;
        const bool isA = info.find("channels: 60000\n") != std::string::npos;
        const bool isB = info.find("channels: 40000\n") != std::string::npos;
        EXPECT_TRUE(isA != isB) << info;
    }
}

// The folder and data.mdb without write permission (and, when the tests run as root, the
// commands run as another user, for whom they are read-only whatever the permissions say).
TEST(CliReadOnly, ReadingCommandsWorkAndChangingOnesSayReadOnly)
{
    test::TempFolder home;
    test::TempFolder out;
    ASSERT_EQ(
        runCli(home.path(), {"open", home.write("a.m3u", playlist(30, "A")).string()}).exitCode, 0);
    // Compacting leaves the file without its write-ahead log: reading it must write nothing.
    ASSERT_EQ(runCli(home.path(), {"compact"}).exitCode, 0);
    std::filesystem::remove(home.file("a.m3u"));
    ::chmod(home.file("data.mdb").c_str(), 0444);
    ::chmod(home.path().c_str(), 0555);
    ::chmod(out.path().c_str(), 0777);
    const test::CliConditions other{std::nullopt, true};
    for (const std::vector<std::string>& reading :
         {std::vector<std::string>{"channels"},
          {"check"},
          {"save", out.file("saved.m3u").string()},
          {"export", "enigma2", out.file("userbouquet.tv").string()}}) {
        const test::CliResult r = runCli(home.path(), reading, other);
        EXPECT_EQ(r.exitCode, 0) << reading.front() << ": " << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
    EXPECT_EQ(test::lineCount(runCli(home.path(), {"groups"}, other).out), 30u);
    for (const std::vector<std::string>& changing :
         {std::vector<std::string>{"renumber"},
          {"backup"},
          {"open", out.write("b.m3u", playlist(3, "B")).string()}}) {
        const test::CliResult r = runCli(home.path(), changing, other);
        EXPECT_EQ(r.exitCode, 1) << changing.front();
        EXPECT_EQ(r.err, "listrion-cli " + changing.front() + ": the playlist is read-only\n");
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    ::chmod(home.path().c_str(), 0755);
    EXPECT_EQ(namesIn(home.path()), (std::set<std::string>{"data.mdb", "data.mdb.lock"}));
}

// Writes that fail as on a full disk: the command is rolled back whole, prints no success, and
// the next command works once there is room.
TEST(CliFullDisk, AFailedWriteRollsBackAndTheNextCommandWorks)
{
    test::TempFolder home;
    ASSERT_EQ(
        runCli(home.path(), {"open", home.write("a.m3u", playlist(30000, "A")).string()}).exitCode,
        0);
    const std::string before = runCli(home.path(), {"channels"}).out;
    const test::CliConditions full{256 << 10, false};
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"backup"},
          {"sort-channels-by-name", "All"},
          {"open", home.write("b.m3u", playlist(20000, "B")).string()}}) {
        const test::CliResult r = runCli(home.path(), command, full);
        EXPECT_EQ(r.exitCode, 1) << command.front();
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(test::lineCount(r.err), 1u) << r.err;
        EXPECT_EQ(runCli(home.path(), {"check"}).out, "ok\n") << command.front();
        EXPECT_EQ(runCli(home.path(), {"channels"}).out, before) << command.front();
    }
    EXPECT_TRUE(runCli(home.path(), {"backups"}).out.empty());
    const test::CliResult made = runCli(home.path(), {"backup"});
    EXPECT_EQ(made.out, "made backup Playlist_Backup_01 and Grupa_Backup_01\n") << made.err;
}

// Ctrl+C at moments spread over an open: reading stops at once and what was read is kept; in
// the last phase the open playlist stays. Either way the command ends at once.
TEST(CliInterrupt, CtrlCEndsAnOpenPromptlyWhateverItIsDoing)
{
    test::TempFolder home;
    const auto file = home.write("a.m3u", playlist(100000, "A"));
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runCli(home.path(), {"open", file.string()}).exitCode, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    for (int tenth = 1; tenth <= 9; ++tenth) {
        std::chrono::milliseconds after{0};
        const test::CliResult r = test::runCliInterrupted(home.path(), {"open", file.string()},
                                                          whole * tenth / 10, &after);
        EXPECT_LT(after, kPrompt) << tenth << "/10: " << r.out << r.err;
        EXPECT_TRUE(
            (r.exitCode == 0 && r.out.find("channels: ") == 0) ||
            (r.exitCode == 1 && r.err.find("the previous playlist is kept") != std::string::npos))
            << tenth << "/10: " << r.out << r.err;
        EXPECT_EQ(runCli(home.path(), {"check"}).out, "ok\n") << tenth;
    }
}

// A save killed half way leaves its temporary file; the next save of that target removes it,
// but not the one another program is still writing. SIGTERM lets the save remove its own.
TEST(CliLeftovers, KilledSavesAndOpensLeaveNothingBehindTheNextCommand)
{
    test::TempFolder home;
    test::TempFolder out;
    ASSERT_EQ(
        runCli(home.path(), {"open", home.write("a.m3u", playlist(200000, "A")).string()}).exitCode,
        0);
    const auto target = out.file("list.m3u");
    auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runCli(home.path(), {"save", target.string()}).exitCode, 0);
    const auto whole = std::chrono::steady_clock::now() - started;
    const auto half = std::chrono::duration_cast<std::chrono::milliseconds>(whole / 2);
    test::runCliInterrupted(home.path(), {"save", target.string(), "--yes"}, half, nullptr,
                            SIGKILL);
    EXPECT_EQ(namesIn(out.path()).size(), 2u) << "the killed save left no file";
    const int busy =
        ::open(out.write("list.m3u.listrion-Bz9x2Q", "another save").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    test::runCliInterrupted(home.path(), {"save", target.string(), "--yes"}, half, nullptr,
                            SIGTERM);
    EXPECT_EQ(namesIn(out.path()), (std::set<std::string>{"list.m3u", "list.m3u.listrion-Bz9x2Q"}));
    ::close(busy);

    // What a killed download, compaction and open leave in the program folder goes at the next
    // start of a command that changes the store (a reading command leaves it).
    home.write("temp.m3u.listrion-a1B2c3", "#EXTM3U\n#EXTINF:-1,Half");
    home.write("data.mdb.temp", "half a copy");
    home.write("data.mdb.temp-journal", "");
    {
        store::Database db(home.file("data.mdb"));
        db.exec("CREATE TABLE Playlist_Load (grupa TEXT)");
    }
    ASSERT_EQ(runCli(home.path(), {"groups"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(home.file("data.mdb.temp")));
    ASSERT_EQ(runCli(home.path(), {"renumber"}).exitCode, 0);
    for (const char* left :
         {"temp.m3u.listrion-a1B2c3", "data.mdb.temp", "data.mdb.temp-journal"}) {
        EXPECT_FALSE(std::filesystem::exists(home.file(left))) << left;
    }
    EXPECT_FALSE(store::IncomingTables::present(store::Database(home.file("data.mdb"))));
}

TEST(CliCheck, PrintsOkOrOneLinePerProblem)
{
    test::TempFolder home;
    ASSERT_EQ(
        runCli(home.path(), {"open", home.write("a.m3u", playlist(100, "A")).string()}).exitCode,
        0);
    {
        store::Database db(home.file("data.mdb"));
        db.exec("INSERT INTO Playlist (grupa, name, broj) VALUES ('Nowhere', 'Lost', 5000);"
                "INSERT INTO Grupa (grupa, type, count, broj) VALUES ('a 7 ', 'Live', 3, 99);"
                "UPDATE Grupa SET count = 77 WHERE grupa = 'A 9';"
                "UPDATE Playlist SET broj = 10 WHERE broj = 11;");
    }
    test::CliResult r = runCli(home.path(), {"check"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "group 'A 7' has 2 group rows\n"
                     "1 channels of group 'Nowhere' have no group row\n"
                     "group 'A 9' counts 77 channels but holds 3\n"
                     "2 channels at position 10\n");
    {
        store::Database db(home.file("data.mdb"));
        db.exec("DROP INDEX Playlist_grupa_broj");
    }
    EXPECT_EQ(runCli(home.path(), {"check"}).out, "missing: Playlist_grupa_broj\n");
    // The next start of a command that changes the store builds it again.
    ASSERT_EQ(runCli(home.path(), {"recount"}).exitCode, 0);
    r = runCli(home.path(), {"check"});
    EXPECT_EQ(r.out.find("missing"), std::string::npos) << r.out;
}

} // namespace
} // namespace listrion
