// Times the archive commands on a large store: the EPG id import and the logo import from the
// delivered logo.mdb, and saving both archives back.
//   listrion-archive-bench SEED_MDB LOGO_MDB WORK_DIR [--channels N] [--repeat R]
// SEED_MDB is generated (N channels in 2,000 groups) when missing. Each run works on a fresh
// copy in WORK_DIR in which every channel is without a logo and without an id, and one channel
// in ten carries the name of an archive entry (a third of them with " HD" added), so that the
// imports find work.
#include "StoreGenerator.h"
#include "store/Schema.h"
#include "tools/ArchiveFile.h"
#include "tools/EpgArchive.h"
#include "tools/LogoArchive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace listrion;
using Clock = std::chrono::steady_clock;

void ensureSeed(const fs::path& seed, std::int64_t channels)
{
    if (fs::exists(seed)) {
        return;
    }
    std::printf("generating %lld channels ...\n", static_cast<long long>(channels));
    fs::create_directories(seed.parent_path());
    store::Database db = store::Schema::open(seed.string() + ".part");
    bench::generateStore(db, channels, 2000);
    db.exec("PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE");
    db.close();
    fs::rename(seed.string() + ".part", seed);
}

// A copy of the seed as the imports expect it (see above); untimed.
store::Database prepare(const fs::path& seed, const fs::path& work,
                        const std::vector<std::string>& archiveNames)
{
    const fs::path data = work / "data.mdb";
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::remove(data.string() + suffix);
    }
    fs::copy_file(seed, data);
    store::Database db = store::Schema::open(data);
    db.exec("BEGIN; UPDATE Playlist SET logo = '', tvgid = ''");
    store::Statement rename =
        db.prepare("UPDATE Playlist SET name = ?1, tvgname = ?1 WHERE rowid = ?2");
    const std::int64_t last = db.scalarInt("SELECT max(rowid) FROM Playlist", 0);
    for (std::int64_t id = 1, k = 0; id <= last; id += 10, ++k) {
        const std::string& name = archiveNames[static_cast<std::size_t>(k) % archiveNames.size()];
        rename.bindAll(k % 3 == 0 ? name + " HD" : name, id).run();
        rename.reset();
    }
    db.exec("COMMIT");
    return db;
}

double timed(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: listrion-archive-bench SEED_MDB LOGO_MDB WORK_DIR "
                             "[--channels N] [--repeat R]\n");
        return 2;
    }
    std::int64_t channels = 1'000'000;
    int repeat = 3;
    for (int i = 4; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--channels") == 0) {
            channels = std::atoll(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--repeat") == 0) {
            repeat = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    const fs::path seed = argv[1];
    const fs::path work = argv[3];
    ensureSeed(seed, channels);
    fs::create_directories(work);
    const fs::path logo = work / "logo.mdb";
    tools::restoreArchive(logo, argv[2]);
    std::vector<std::string> names;
    {
        store::Database archive = tools::openArchive(logo);
        store::Statement st = archive.prepare("SELECT Name FROM EPG ORDER BY rowid");
        while (st.step()) {
            names.push_back(st.columnText(0));
        }
    }
    double epg = std::numeric_limits<double>::infinity();
    double logos = epg;
    double saves = epg;
    tools::EpgImport ids;
    tools::LogoImport given;
    for (int r = 0; r < repeat; ++r) {
        store::Database db = prepare(seed, work, names);
        store::Database archive = tools::openArchive(logo);
        epg = std::min(epg, timed([&] { ids = tools::importEpgIds(db, archive); }));
        logos = std::min(logos, timed([&] { given = tools::importLogos(db, archive); }));
        saves = std::min(saves, timed([&] {
                             tools::saveEpgArchive(db, archive);
                             tools::saveLogoArchive(db, archive);
                         }));
        tools::restoreArchive(logo, argv[2]);
    }
    std::printf("store: %lld channels; archive: %lld EPG rows; best of %d\n",
                static_cast<long long>(channels), static_cast<long long>(ids.archiveRows), repeat);
    std::printf("%-34s %8.3f s  %lld channels got ids\n", "Import_EPG", epg,
                static_cast<long long>(ids.channels));
    std::printf("%-34s %8.3f s  %lld logos assigned (of %lld rows)\n", "Import_Logo", logos,
                static_cast<long long>(given.assigned), static_cast<long long>(given.sourceRows));
    std::printf("%-34s %8.3f s\n", "save EPG and logo archives", saves);
    return 0;
}
