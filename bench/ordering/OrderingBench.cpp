// Times the ordering, undo, backup and compaction routines on a large generated store.
// usage: listrion-ordering-bench DIR [--channels N] [--groups G] [--repeat R]
// DIR/seed.mdb is generated when missing and copied to DIR/data.mdb for every run.
#include "StoreGenerator.h"

#include "store/ChannelNumbering.h"
#include "store/Compaction.h"
#include "store/GroupNumbering.h"
#include "store/NamedBackups.h"
#include "store/PositionSwaps.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "store/UndoSnapshot.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using namespace listrion;

struct Options {
    fs::path dir;
    std::int64_t channels = 1'000'000;
    int groups = 2000;
    int repeat = 3;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Best wall-clock time and best processor time (all threads) over the runs; on a machine that
// other work shares, the processor time is the steadier figure.
class Timer {
public:
    template <typename F> void run(F&& f)
    {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        f();
        m_cpu = std::min(m_cpu, cpuSeconds() - cpuStart);
        m_wall = std::min(
            m_wall,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    double wall() const { return m_wall; }
    double cpu() const { return m_cpu; }

private:
    double m_wall = std::numeric_limits<double>::infinity();
    double m_cpu = std::numeric_limits<double>::infinity();
};

void report(const char* what, const Timer& timer, const std::string& detail)
{
    std::printf("%-46s wall %7.3f s  cpu %7.3f s  %s\n", what, timer.wall(), timer.cpu(),
                detail.c_str());
    std::fflush(stdout);
}

std::string groupAt(store::Database& db, std::int64_t broj)
{
    store::Statement st = db.prepare("SELECT grupa FROM Grupa WHERE broj = ?");
    st.bind(1, broj);
    return st.step() ? st.columnText(0) : std::string();
}

// Moves the middle channel of the group at position `broj` into the next group, as a
// move-to-group command does before it renumbers.
void moveOneChannel(store::Database& db, std::int64_t broj)
{
    const std::string from = groupAt(db, broj);
    const std::string to = groupAt(db, broj + 1);
    const std::int64_t rowid =
        db.scalarInt("SELECT rowid FROM Playlist WHERE grupa = ? ORDER BY broj LIMIT 1 OFFSET "
                     "(SELECT count(*) / 2 FROM Playlist WHERE grupa = ?)",
                     0, from, from);
    db.prepare("UPDATE Playlist SET grupa = ? WHERE rowid = ?").bindAll(to, rowid).run();
}

void benchRenumbering(store::Database& db, const Options& o)
{
    Timer unchanged, oneMove, everything;
    std::int64_t written = 0;
    for (int r = 0; r < o.repeat; ++r) {
        unchanged.run([&] { written = store::Zapisi_Nove_Brojeve(db); });
    }
    report("Zapisi_Nove_Brojeve, nothing to change", unchanged, std::to_string(written) + " rows");
    for (int r = 0; r < o.repeat; ++r) {
        moveOneChannel(db, 100 + r);
        oneMove.run([&] { written = store::Zapisi_Nove_Brojeve(db); });
    }
    report("Zapisi_Nove_Brojeve after one channel moved", oneMove,
           std::to_string(written) + " rows written");
    for (int r = 0; r < o.repeat; ++r) {
        // The first group goes to the end: every channel number changes.
        db.exec("UPDATE Grupa SET broj = (SELECT max(broj) + 1 FROM Grupa) WHERE rowid = "
                "(SELECT rowid FROM Grupa ORDER BY broj LIMIT 1)");
        everything.run([&] { written = store::Zapisi_Nove_Brojeve(db); });
    }
    report("Zapisi_Nove_Brojeve, every number changing", everything,
           std::to_string(written) + " rows written");
}

void benchGroups(store::Database& db, const Options& o)
{
    Timer numbering, swap;
    std::int64_t written = 0;
    for (int r = 0; r < o.repeat; ++r) {
        // The last group goes first, so every group's position changes.
        db.exec("UPDATE Grupa SET broj = 0, type = '' WHERE rowid = "
                "(SELECT rowid FROM Grupa ORDER BY broj DESC LIMIT 1)");
        numbering.run([&] { written = store::Zapisi_Nove_Brojeve_Grupa(db); });
    }
    report("Zapisi_Nove_Brojeve_Grupa", numbering, std::to_string(written) + " rows written");
    for (int r = 0; r < o.repeat; ++r) {
        swap.run([&] { store::Pozicija_Nova_Dole_Grupa(db, 5); });
    }
    report("Pozicija_Nova_Dole_Grupa (group swap)", swap, "");
}

// The group whose size is nearest to 50,000 channels.
std::string groupNear50k(store::Database& db, std::int64_t& size)
{
    store::Statement st = db.prepare("SELECT grupa, count FROM Grupa ORDER BY abs(count - 50000) "
                                     "LIMIT 1");
    st.step();
    size = st.columnInt(1);
    return st.columnText(0);
}

void benchDeleteAndRestore(store::Database& db, const Options& o)
{
    Timer remove, restore;
    std::int64_t size = 0;
    for (int r = 0; r < o.repeat; ++r) {
        const std::string group = groupNear50k(db, size);
        remove.run([&] {
            store::Transaction tx(db);
            db.prepare("DELETE FROM Playlist WHERE grupa = ?").bindAll(group).run();
            db.prepare("DELETE FROM Grupa WHERE grupa = ?").bindAll(group).run();
            store::Zapisi_Nove_Brojeve_Grupa(db);
            tx.commit();
        });
        restore.run([&] { store::Restore(db, store::RestoreForm::MainWindow); });
    }
    report("delete a group + Zapisi_Nove_Brojeve_Grupa", remove,
           std::to_string(size) + " channels deleted");
    report("Restore (undo to the loaded playlist)", restore, "");
}

void benchBackupAndCompact(store::Database& db, const Options& o)
{
    Timer backup, compact;
    std::vector<store::NamedBackup> made;
    for (int r = 0; r < o.repeat; ++r) {
        backup.run([&] { made.push_back(store::Naredi_Backup(db)); });
    }
    report("Naredi_Backup", backup, made.back().playlistTable);
    for (const store::NamedBackup& b : made) {
        db.dropTable(b.playlistTable);
        db.dropTable(b.grupaTable);
    }
    const fs::path file = db.file();
    db.close();
    store::CompactResult result;
    for (int r = 0; r < o.repeat; ++r) {
        compact.run([&] { result = store::Compact_Database(file); });
    }
    report(
        "Compact_Database", compact,
        std::to_string(result.sizeBefore >> 20) + " MB -> " +
            std::to_string(result.sizeAfter >> 20) + " MB" +
            (result.status == store::CompactStatus::Compacted ? "" : " FAILED " + result.message));
}

Options parse(int argc, char** argv)
{
    Options o;
    o.dir = argc > 1 ? argv[1] : "bench/out/ordering";
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const long long value = std::stoll(argv[i + 1]);
        if (name == "--channels") {
            o.channels = value;
        } else if (name == "--groups") {
            o.groups = static_cast<int>(value);
        } else if (name == "--repeat") {
            o.repeat = static_cast<int>(value);
        }
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    fs::create_directories(o.dir);
    const fs::path seed = o.dir / ("seed-" + std::to_string(o.channels) + "-v3.mdb");
    if (!fs::exists(seed)) {
        std::printf("generating %lld channels in %d groups ...\n",
                    static_cast<long long>(o.channels), o.groups);
        store::Database db = store::Schema::open(seed.string() + ".part");
        bench::generateStore(db, o.channels, o.groups);
        db.exec("PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE");
        db.close();
        fs::rename(seed.string() + ".part", seed);
    }
    const fs::path data = o.dir / "data.mdb";
    for (const char* suffix : {"", "-wal", "-shm", ".temp"}) {
        fs::remove(data.string() + suffix);
    }
    fs::copy_file(seed, data);
    store::Database db = store::Schema::open(data);
    std::printf("store: %lld channels, %lld groups, %lld MB; best of %d\n",
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Playlist", 0)),
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Grupa", 0)),
                static_cast<long long>(fs::file_size(data) >> 20), o.repeat);
    benchRenumbering(db, o);
    benchGroups(db, o);
    benchDeleteAndRestore(db, o);
    benchBackupAndCompact(db, o);
    return 0;
}
