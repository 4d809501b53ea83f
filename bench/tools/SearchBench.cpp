// Times the channel search on a store: reading the search index (when the search window opens
// and after each change), and for each text the search and the read of the first screenful of
// rows, as the search window shows them.
//   listrion-search-bench DATA_MDB [--repeat R] [TEXT ...]
#include "store/Database.h"
#include "store/Schema.h"
#include "tools/SearchIndex.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace listrion;
using Clock = std::chrono::steady_clock;

// Rows a search window shows at once.
constexpr std::size_t kScreenful = 40;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The values of the first screenful, read by row id as the search grid reads them.
void readScreenful(const store::Database& db, const std::vector<std::int64_t>& ids)
{
    store::Statement row =
        db.prepare("SELECT izberi, grupa, name, tvgname, broj, link FROM Playlist WHERE rowid = ?");
    for (std::size_t i = 0; i < std::min(kScreenful, ids.size()); ++i) {
        row.bind(1, ids[i]);
        row.step();
        row.reset();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: listrion-search-bench DATA_MDB [--repeat R] [TEXT ...]\n");
        return 2;
    }
    int repeat = 5;
    std::vector<std::string> texts;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else {
            texts.emplace_back(argv[i]);
        }
    }
    if (texts.empty()) {
        texts = {"spo", "bbc", "new", "hd ", "NEW", "ßüé", "xyz", "Спо", "s"};
    }
    store::Database db = store::Schema::open(argv[1]);
    double best = std::numeric_limits<double>::infinity();
    tools::SearchIndex index;
    for (int r = 0; r < std::max(1, repeat / 2); ++r) {
        const Clock::time_point start = Clock::now();
        index = tools::SearchIndex::read(db);
        best = std::min(best, since(start));
    }
    std::printf("%-28s %8.3f s  %zu channels\n", "read the index", best, index.size());
    for (const std::string& text : texts) {
        double search = std::numeric_limits<double>::infinity();
        double screen = std::numeric_limits<double>::infinity();
        std::size_t hits = 0;
        for (int r = 0; r < repeat; ++r) {
            const Clock::time_point start = Clock::now();
            const std::vector<std::int64_t> ids = index.find(text).value();
            search = std::min(search, since(start));
            readScreenful(db, ids);
            screen = std::min(screen, since(start));
            hits = ids.size();
        }
        std::printf("search %-21s %8.3f s  first screenful %.3f s  %zu hits\n",
                    ("\"" + text + "\"").c_str(), search, screen, hits);
    }
    const Clock::time_point start = Clock::now();
    const std::size_t all = index.allByName().size();
    std::printf("%-28s %8.3f s  %zu channels\n", "all channels by name", since(start), all);
    return 0;
}
