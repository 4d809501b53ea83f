#pragma once
// What the editing command benchmarks share: options, a best-of timer, the report line and
// the lookup of groups by size.

#include "store/Database.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

namespace listrion::bench {

struct Options {
    std::string what = "all"; // groups, channels, history, playlist, restructure or all
    std::filesystem::path dir;
    std::int64_t channels = 1'000'000;
    int groups = 2000;
    int repeat = 3;
    std::int64_t largest = 125'000;
    // As the editor runs commands: checkpoints on a thread of their own (0: in the commits).
    bool deferredCheckpoints = true;
};

class Timer {
public:
    template <typename F> void run(F&& f)
    {
        const auto start = std::chrono::steady_clock::now();
        f();
        m_best = std::min(
            m_best,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    double best() const { return m_best; }

private:
    double m_best = std::numeric_limits<double>::infinity();
};

inline void report(const char* what, const Timer& t, const std::string& detail)
{
    std::printf("%-52s %8.3f s  %s\n", what, t.best(), detail.c_str());
    std::fflush(stdout);
}

// The group first in `order` (after skipping `skip` groups) and its number of channels.
inline std::string groupOfSize(store::Database& db, const char* order, std::int64_t& size,
                               int skip = 0)
{
    store::Statement st = db.prepare(std::string("SELECT grupa, count FROM Grupa ORDER BY ") +
                                     order + " LIMIT 1 OFFSET ?");
    st.bind(1, skip);
    st.step();
    size = st.columnInt(1);
    return st.columnText(0);
}

void benchChannels(store::Database& db, const Options& o);
void benchHistory(store::Database& db, const Options& o);
void benchRestructure(store::Database& db, const Options& o);
// Closes `db` at its end (it times the exit).
void benchPlaylist(store::Database& db, const Options& o);

} // namespace listrion::bench
