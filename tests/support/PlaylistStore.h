#pragma once

#include "store/Database.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace listrion::test {

// A data.mdb built by hand for store tests: groups and channels added row by row, and read
// back as the lists a test compares.
class PlaylistStore {
public:
    explicit PlaylistStore(const std::filesystem::path& file);

    store::Database db;

    std::int64_t group(const std::string& name, std::int64_t broj, const std::string& type = "Live",
                       bool ticked = false);
    std::int64_t channel(const std::string& grupa, const std::string& name, std::int64_t broj,
                         bool ticked = false, const std::string& type = "Live");
    // Groups "G1", "G2", ... with the given numbers of channels ("G1.1", "G1.2", ...), numbered
    // 1..n and with one running channel number, as after a full renumbering.
    void fill(const std::vector<int>& sizes);

    // Channel names of a group (or of all channels when `grupa` is empty) in position order.
    std::vector<std::string> names(const std::string& grupa = "") const;
    // Group names in position order.
    std::vector<std::string> groups() const;
    // Every group's count set to its number of channels, as a load leaves it.
    void recount();
    // What breaks the store's rules: a group name held by two group rows, a channel whose group
    // has no row, a count other than the group's number of channels, two channels or two groups
    // at one position, a group whose channels do not hold one unbroken range, group positions
    // other than 1..n. Empty when the store is sound.
    std::vector<std::string> problems() const;

    // One integer column of every row of a table, in store order.
    std::vector<std::int64_t> column(const std::string& table, const std::string& column) const;
    // The first column of every row a query gives (its values bound in turn), as text.
    template <typename... Args>
    std::vector<std::string> texts(const std::string& sql, const Args&... values) const
    {
        store::Statement st = db.prepare(sql);
        st.bindAll(values...);
        std::vector<std::string> found;
        while (st.step()) {
            found.push_back(st.columnText(0));
        }
        return found;
    }
};

} // namespace listrion::test
