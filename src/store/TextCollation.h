#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;

namespace listrion::store {

// The store's text identity: letters compare without regard to case (all of Unicode, by simple
// case folding, not only ASCII; the Turkish İ and ı fold to i as well) and trailing spaces are
// ignored. Every text column of the
// playlist tables is declared with this collation, so '=', '<>', ORDER BY and the group lookups
// all use it. ASCII text takes a fast path.
inline constexpr const char* kTextCollation = "LISTRION_TEXT";

// <0, 0 or >0 like memcmp, in the collation's order (folded code points).
int compareText(std::string_view a, std::string_view b);

// A key such that foldKey(a) == foldKey(b) exactly when compareText(a, b) == 0.
std::string foldKey(std::string_view text);

// What texts stand for, when they are compared as the store compares them: `resolve` gets a
// text's foldKey once per spelling. For passes over a million rows that hold few names.
template <typename T> class FoldedLookup {
public:
    explicit FoldedLookup(std::function<T(const std::string& key)> resolve)
        : m_resolve(std::move(resolve))
    {
    }
    const T& operator()(std::string_view text)
    {
        // Rows of one name often come together.
        if (m_last != nullptr && text == m_lastText) {
            return *m_last;
        }
        auto found = m_bySpelling.find(text);
        if (found == m_bySpelling.end()) {
            found = m_bySpelling.emplace(std::string(text), m_resolve(foldKey(text))).first;
        }
        m_lastText = found->first;
        m_last = &found->second;
        return *m_last;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::function<T(const std::string&)> m_resolve;
    std::unordered_map<std::string, T, Hash, std::equal_to<>> m_bySpelling;
    std::string_view m_lastText;
    const T* m_last = nullptr;
};
// The text with every character folded as the collation folds it, trailing spaces kept: one
// text contains another, letter case aside, exactly when its folded form contains the other's.
std::string foldText(std::string_view text);
// foldText(text) appended to `out` (for building large buffers of folded texts).
void appendFoldedText(std::string_view text, std::string& out);

// Whether `text` matches `pattern` as the store's LIKE decides: '%' any run of characters, '_'
// one character, every other character compared as the collation folds it; no escape character.
bool likeMatches(std::string_view pattern, std::string_view text);

class Database;

// Creates `table` unless it exists, every column text in this collation.
void createTextTable(Database& db, std::string_view table,
                     const std::vector<std::string_view>& columns);

// Registers the collation and the case-insensitive LIKE on a connection.
void registerTextCollation(sqlite3* db);

} // namespace listrion::store
