#include "tools/SearchIndex.h"

#include "store/Database.h"
#include "store/TextCollation.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

namespace listrion::tools {
namespace {

// The names of about this many channels are searched between two questions to `stop`.
constexpr std::size_t kEntriesPerStep = 16384;

std::string_view withoutTrailingSpaces(std::string_view text)
{
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::uint64_t prefixOf(std::string_view key)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    return prefix;
}

} // namespace

SearchIndex SearchIndex::read(const store::Database& db)
{
    SearchIndex index;
    std::unordered_map<std::string, std::uint32_t> groupIds;
    std::vector<std::string> groupKeys;
    std::string lastGroup; // consecutive channels mostly share their group
    std::uint32_t lastId = 0;
    store::Statement st = db.prepare("SELECT rowid, grupa, name, broj FROM Playlist");
    while (st.step()) {
        const std::string_view grupa = st.columnView(1);
        if (groupKeys.empty() || grupa != lastGroup) {
            std::string key = store::foldKey(grupa);
            const auto [at, added] =
                groupIds.try_emplace(std::move(key), static_cast<std::uint32_t>(groupKeys.size()));
            if (added) {
                groupKeys.push_back(at->first);
            }
            lastGroup.assign(grupa);
            lastId = at->second;
        }
        Entry entry;
        entry.rowid = st.columnInt(0);
        entry.broj = st.columnInt(3);
        entry.group = lastId;
        entry.nameOffset = static_cast<std::uint32_t>(index.m_names.size());
        store::appendFoldedText(st.columnView(2), index.m_names);
        entry.nameSize = static_cast<std::uint32_t>(index.m_names.size() - entry.nameOffset);
        const std::string_view key = withoutTrailingSpaces(index.name(entry));
        entry.keySize = static_cast<std::uint32_t>(key.size());
        entry.prefix = prefixOf(key);
        index.m_names.push_back('\0');
        if (index.m_names.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("the channel names are too long to search");
        }
        index.m_entries.push_back(entry);
    }
    index.rankGroups(std::move(groupKeys));
    return index;
}

void SearchIndex::rankGroups(std::vector<std::string> keys)
{
    std::vector<std::uint32_t> order(keys.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<std::uint32_t> rank(keys.size());
    for (std::uint32_t r = 0; r < order.size(); ++r) {
        rank[order[r]] = r;
    }
    for (Entry& entry : m_entries) {
        entry.group = rank[entry.group];
    }
}

bool SearchIndex::nameBefore(const Entry& a, const Entry& b) const
{
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    const std::string_view x(m_names.data() + a.nameOffset, a.keySize);
    const std::string_view y(m_names.data() + b.nameOffset, b.keySize);
    if (const int order = x.compare(y); order != 0) {
        return order < 0;
    }
    return std::tie(a.broj, a.rowid) < std::tie(b.broj, b.rowid);
}

std::optional<std::vector<std::int64_t>> SearchIndex::find(std::string_view text,
                                                           const StopTest& stop) const
{
    std::vector<std::int64_t> ids;
    const std::string needle = store::foldText(text);
    if (needle.empty()) {
        return ids;
    }
    std::vector<std::uint32_t> hits;
    for (std::size_t first = 0; first < m_entries.size(); first += kEntriesPerStep) {
        if (stop && stop()) {
            return std::nullopt;
        }
        findIn(needle, first, std::min(m_entries.size(), first + kEntriesPerStep), hits);
    }
    std::sort(hits.begin(), hits.end(), [this](std::uint32_t a, std::uint32_t b) {
        const Entry& x = m_entries[a];
        const Entry& y = m_entries[b];
        return x.group != y.group ? x.group < y.group : nameBefore(x, y);
    });
    ids.reserve(hits.size());
    for (std::uint32_t hit : hits) {
        ids.push_back(m_entries[hit].rowid);
    }
    return ids;
}

void SearchIndex::findIn(std::string_view needle, std::size_t first, std::size_t last,
                         std::vector<std::uint32_t>& hits) const
{
    const char* const base = m_names.data();
    const char* const end = base + m_entries[last - 1].nameOffset + m_entries[last - 1].nameSize;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    const char* from = base + m_entries[first].nameOffset;
    std::size_t entry = first;
    while (from < end) {
        const char* at = std::search(from, end, searcher);
        if (at == end) {
            return;
        }
        const auto offset = static_cast<std::uint32_t>(at - base);
        // The name the match begins in: the last one starting at or before it.
        while (entry + 1 < last && m_entries[entry + 1].nameOffset <= offset) {
            ++entry;
        }
        const Entry& e = m_entries[entry];
        if (offset + needle.size() <= std::size_t{e.nameOffset} + e.nameSize) {
            hits.push_back(static_cast<std::uint32_t>(entry));
            from = base + e.nameOffset + e.nameSize; // the next name
        } else {
            from = at + 1; // a match across two names (a text with a NUL in it)
        }
    }
}

std::vector<std::int64_t> SearchIndex::allByName()
{
    if (m_byName.size() != m_entries.size()) {
        m_byName.resize(m_entries.size());
        for (std::uint32_t i = 0; i < m_byName.size(); ++i) {
            m_byName[i] = i;
        }
        std::sort(m_byName.begin(), m_byName.end(), [this](std::uint32_t a, std::uint32_t b) {
            return nameBefore(m_entries[a], m_entries[b]);
        });
    }
    std::vector<std::int64_t> ids;
    ids.reserve(m_byName.size());
    for (std::uint32_t entry : m_byName) {
        ids.push_back(m_entries[entry].rowid);
    }
    return ids;
}

} // namespace listrion::tools
