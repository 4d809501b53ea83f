#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {
class Database;
}

namespace listrion::tools {

// The channel search: every channel's name folded as the store compares text, with its group's
// place in name order and its position, held in memory, so that a search over a million channels
// takes milliseconds and not a scan of the table. Read once and again after each change; a
// search finds the channels whose name contains the text, letter case aside, the text taken
// literally, listed by group name, then name, then position.
class SearchIndex {
public:
    // Asked now and then during long work; true ends the work early.
    using StopTest = std::function<bool()>;

    SearchIndex() = default;

    // Reads every channel of Playlist. Throws what the store throws (an interrupt included).
    static SearchIndex read(const store::Database& db);

    // The row ids of the channels whose name contains `text`; none for the empty text.
    // Nothing when `stop` said so first.
    std::optional<std::vector<std::int64_t>> find(std::string_view text,
                                                  const StopTest& stop = {}) const;
    // The row ids of every channel by name, then position ("Sort all channels by name"). The
    // order is worked out on the first call.
    std::vector<std::int64_t> allByName();

    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::int64_t rowid = 0;
        std::int64_t broj = 0;
        // The first eight bytes of the folded name without trailing spaces, as one number in
        // their order (zeros after a shorter name): most names differ there.
        std::uint64_t prefix = 0;
        std::uint32_t nameOffset = 0; // the folded name in m_names
        std::uint32_t nameSize = 0;
        std::uint32_t keySize = 0; // the name's size without trailing spaces
        std::uint32_t group = 0;   // rank of the group name in the store's order
    };

    void rankGroups(std::vector<std::string> keys);
    std::string_view name(const Entry& entry) const
    {
        return {m_names.data() + entry.nameOffset, entry.nameSize};
    }
    // The store's order of names (trailing spaces do not count), then position.
    bool nameBefore(const Entry& a, const Entry& b) const;
    // The entries in [first, last) whose name contains `needle`, appended to `hits`.
    void findIn(std::string_view needle, std::size_t first, std::size_t last,
                std::vector<std::uint32_t>& hits) const;

    std::vector<Entry> m_entries; // in store order; their names follow one another in m_names
    std::string m_names;          // the folded names, each followed by a NUL
    std::vector<std::uint32_t> m_byName; // entries by name, once asked for
};

} // namespace listrion::tools
