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
    // One integer column of every row of a table, in store order.
    std::vector<std::int64_t> column(const std::string& table, const std::string& column) const;
};

} // namespace listrion::test
