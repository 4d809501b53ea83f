// Times the EPG id commands on one large group: derive (every id missing), replace (every id
// changes) and clear, each one transaction with its history step, as the window runs them.
//   listrion-epg-bench DIR [--channels N] [--repeat R]
// DIR/data.mdb is made afresh: one group of N channels (125,000 by default) beside 100,000
// channels in other groups.
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "tools/EpgIds.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

namespace {

using namespace listrion;
using Clock = std::chrono::steady_clock;

constexpr const char* kGroup = "Ex-Yu";
constexpr std::int64_t kOthers = 100'000;
// Names as playlists of the region spell them.
constexpr const char* kNames[] = {"Nova TV HD",
                                  "RTL Kockica (HR)",
                                  "Arena Sport %d (BiH)",
                                  "Šport Klub %d FHD",
                                  "HRT %d",
                                  "Đir & Čaj - TV %d Hd",
                                  "Pink %d SD",
                                  "CineStar Action & Thriller %d HEVC"};

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void fill(store::Database& db, std::int64_t channels)
{
    store::Transaction tx(db);
    store::Statement group = db.prepare("INSERT INTO Grupa (izberi, grupa, type, count, broj) "
                                        "VALUES (0, ?, 'Live', ?, ?)");
    store::Statement channel =
        db.prepare("INSERT INTO Playlist (izberi, grupa, name, tvgname, tvgid, link, logo, broj, "
                   "type, parent_code) VALUES (0, ?, ?, ?, ?, ?, '', ?, 'Live', 0)");
    const std::int64_t total = channels + kOthers;
    char name[96];
    for (std::int64_t i = 0; i < total; ++i) {
        const bool big = i < channels;
        const std::string grupa = big ? kGroup : "Group " + std::to_string(i % 100);
        std::snprintf(name, sizeof name, kNames[i % std::size(kNames)], static_cast<int>(i));
        channel.bindAll(grupa, name, name, i % 2 == 0 ? "ext" : "",
                        "http://tv/" + std::to_string(i), i + 1);
        channel.run();
        channel.reset();
    }
    group.bindAll(kGroup, channels, 1).run();
    for (int g = 0; g < 100; ++g) {
        group.reset();
        group.bindAll("Group " + std::to_string(g), kOthers / 100, g + 2).run();
    }
    tx.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: listrion-epg-bench DIR [--channels N] [--repeat R]\n");
        return 2;
    }
    std::int64_t channels = 125'000;
    int repeat = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--channels") == 0) {
            channels = std::max(1LL, std::atoll(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--repeat") == 0) {
            repeat = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "data.mdb";
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(file.string() + suffix);
    }
    store::Database db = store::Schema::open(file);
    fill(db, channels);

    double derive = std::numeric_limits<double>::infinity();
    double replace = derive;
    double clear = derive;
    std::int64_t derived = 0, replaced = 0, cleared = 0;
    for (int r = 0; r < repeat; ++r) {
        Clock::time_point start = Clock::now();
        derived = tools::deriveEpgIds(db, kGroup, "hr").ids;
        derive = std::min(derive, since(start));
        start = Clock::now();
        replaced = tools::replaceInEpgIds(db, kGroup, ".hr", ".ba");
        replace = std::min(replace, since(start));
        start = Clock::now();
        cleared = tools::clearEpgIds(db, kGroup);
        clear = std::min(clear, since(start));
    }
    std::printf("%-36s %8.3f s  %lld ids\n", "derive (every id missing)", derive,
                static_cast<long long>(derived));
    std::printf("%-36s %8.3f s  %lld ids\n", "replace (every id changes)", replace,
                static_cast<long long>(replaced));
    std::printf("%-36s %8.3f s  %lld ids\n", "clear", clear, static_cast<long long>(cleared));
    return 0;
}
