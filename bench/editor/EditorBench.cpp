// Times the main window's grid models on a loaded store: building the group grid, showing every
// channel, choosing the largest group (by position and by name) and reading one screenful of
// rows at random deep positions of it.
//   listrion-editor-bench DATA_MDB [--repeat R] [--screens S] [--mmap BYTES]

#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "store/Schema.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace listrion;
using Clock = std::chrono::steady_clock;

constexpr int kScreenRows = 40;

double milliseconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    std::vector<double> runs;

    double best() const { return *std::min_element(runs.begin(), runs.end()); }
    double median() const
    {
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double worst() const { return *std::max_element(runs.begin(), runs.end()); }
};

void print(const char* what, const Figures& f)
{
    std::printf("%-44s %9.2f %9.2f %9.2f\n", what, f.best(), f.median(), f.worst());
}

Figures repeat(int times, const std::function<void()>& work)
{
    Figures f;
    for (int i = 0; i < times; ++i) {
        f.runs.push_back(milliseconds(work));
    }
    return f;
}

// Reads every cell of `rows` grid rows from `first` on, as a view painting them does.
void readScreen(const editing::ChannelGridModel& model, int first, int rows)
{
    std::size_t characters = 0;
    for (int row = first; row < std::min(first + rows, model.rowCount()); ++row) {
        for (int col = 0; col < model.columnCount(); ++col) {
            characters += model.data(model.index(row, col)).toString().size();
        }
    }
    if (characters == 0) {
        std::fprintf(stderr, "listrion-editor-bench: the rows read were empty\n");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: listrion-editor-bench DATA_MDB [--repeat R] [--screens S]\n");
        return 2;
    }
    int repeatCount = 7;
    int screens = 200;
    long long mmapBytes = -1;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--mmap") {
            mmapBytes = std::atoll(argv[i + 1]);
        } else {
            (option == "--repeat" ? repeatCount : screens) = std::atoi(argv[i + 1]);
        }
    }
    store::Database db = store::Schema::open(argv[1]);
    if (mmapBytes >= 0) {
        db.exec("PRAGMA mmap_size=" + std::to_string(mmapBytes));
    }
    std::string largest;
    std::int64_t largestSize = 0;
    {
        store::Statement st = db.prepare("SELECT grupa, count(*) AS n FROM Playlist "
                                         "GROUP BY grupa ORDER BY n DESC LIMIT 1");
        if (st.step()) {
            largest = st.columnText(0);
            largestSize = st.columnInt(1);
        }
    }
    std::printf("store: %lld channels, %lld groups; largest group \"%s\": %lld channels\n",
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Playlist", 0)),
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Grupa", 0)),
                largest.c_str(), static_cast<long long>(largestSize));
    std::printf("%-44s %9s %9s %9s\n", "milliseconds", "best", "median", "worst");

    editing::GroupGridModel groups(db);
    print("group grid: reload (rows + total count)", repeat(repeatCount, [&] { groups.reload(); }));
    editing::ChannelGridModel channels(db);
    print("channel grid: showAll (every channel)",
          repeat(repeatCount, [&] { channels.showAll(); }));
    print("channel grid: showGroup (largest group)",
          repeat(repeatCount, [&] { channels.showGroup(largest); }));
    channels.setOrderByName(true);
    print("channel grid: largest group by name",
          repeat(repeatCount, [&] { channels.setOrderByName(true); }));
    channels.setOrderByName(false);

    // Each screenful starts at a random row of the group; the page cache holds a few pages, so
    // almost every screenful is read from the store.
    std::mt19937 random(42);
    const int rows = channels.rowCount();
    Figures screen;
    for (int i = 0; i < screens; ++i) {
        const int first = static_cast<int>(random() % static_cast<unsigned>(rows));
        screen.runs.push_back(milliseconds([&] { readScreen(channels, first, kScreenRows); }));
    }
    print("screenful of 40 rows at a random position", screen);
    channels.showAll();
    Figures deep;
    for (int i = 0; i < screens; ++i) {
        const int first = static_cast<int>(random() % static_cast<unsigned>(channels.rowCount()));
        deep.runs.push_back(milliseconds([&] { readScreen(channels, first, kScreenRows); }));
    }
    print("screenful of 40 rows, every channel shown", deep);
    return 0;
}
