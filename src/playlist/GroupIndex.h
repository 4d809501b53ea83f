#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

// The groups the store holds, by group identity (letter case and trailing blanks do not
// matter), so the reader can tell a new group without a query per entry.
class GroupIndex {
public:
    GroupIndex() = default;
    // The groups already in Grupa.
    static GroupIndex fromStore(const store::Database& db);

    // When no group of that identity is known: remembers it and returns its broj, the number
    // of groups before it plus 1. Nothing when it is known.
    std::optional<std::int64_t> addIfNew(std::string_view name);
    std::int64_t count() const { return m_count; }

private:
    std::unordered_set<std::string> m_keys;
    std::string m_last; // consecutive entries mostly share their group
    bool m_hasLast = false;
    std::int64_t m_count = 0;
};

} // namespace listrion::playlist
