#include "store/TextCollation.h"

#include "store/Database.h"

#include "store/SqlError.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>

namespace listrion::store {
namespace {

std::string_view trimTrailingSpaces(std::string_view s)
{
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

inline unsigned char asciiLower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// Next folded code point of s from position i; malformed bytes fold to a private value so that
// the order stays total and consistent with foldKey.
UChar32 nextFolded(std::string_view s, std::int32_t& i)
{
    UChar32 c = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    U8_NEXT(bytes, i, static_cast<std::int32_t>(s.size()), c);
    if (c < 0) {
        return 0x110000 + bytes[i - 1];
    }
    // Turkish writes the capital of i as İ and the small of I as ı; both meet i here, so
    // "İSTANBUL", "Istanbul" and "istanbul" are one name, as "KIRMIZI" and "kırmızı" are.
    if (c == 0x0130 || c == 0x0131) {
        return 'i';
    }
    return static_cast<UChar32>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

// LIKE with '%' and '_' (and an optional escape character) over folded code points, so that
// searches ignore letter case beyond ASCII just as '=' does.
bool likeMatch(std::string_view pattern, std::int32_t p, std::string_view text, std::int32_t t,
               UChar32 escape)
{
    const auto np = static_cast<std::int32_t>(pattern.size());
    const auto nt = static_cast<std::int32_t>(text.size());
    while (p < np) {
        std::int32_t next = p;
        UChar32 pc = nextFolded(pattern, next);
        if (pc == '%') {
            while (next < np && pattern[static_cast<std::size_t>(next)] == '%') {
                ++next;
            }
            if (next == np) {
                return true;
            }
            for (std::int32_t start = t; start <= nt;) {
                if (likeMatch(pattern, next, text, start, escape)) {
                    return true;
                }
                if (start == nt) {
                    break;
                }
                nextFolded(text, start);
            }
            return false;
        }
        if (t >= nt) {
            return false;
        }
        const UChar32 tc = nextFolded(text, t);
        if (pc == escape && next < np) {
            pc = nextFolded(pattern, next);
        } else if (pc == '_') {
            p = next;
            continue;
        }
        if (pc != tc) {
            return false;
        }
        p = next;
    }
    return t == nt;
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const auto* pattern = sqlite3_value_text(argv[0]);
    const auto* text = sqlite3_value_text(argv[1]);
    if (pattern == nullptr || text == nullptr) {
        sqlite3_result_null(context);
        return;
    }
    UChar32 escape = -1;
    if (argc == 3) {
        const auto* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        std::string_view es = e ? std::string_view(e) : std::string_view();
        std::int32_t i = 0;
        if (!es.empty()) {
            escape = nextFolded(es, i);
        }
    }
    const std::string_view p(reinterpret_cast<const char*>(pattern),
                             static_cast<std::size_t>(sqlite3_value_bytes(argv[0])));
    const std::string_view t(reinterpret_cast<const char*>(text),
                             static_cast<std::size_t>(sqlite3_value_bytes(argv[1])));
    sqlite3_result_int(context, likeMatch(p, 0, t, 0, escape) ? 1 : 0);
}

int collate(void*, int na, const void* a, int nb, const void* b)
{
    return compareText({static_cast<const char*>(a), static_cast<std::size_t>(na)},
                       {static_cast<const char*>(b), static_cast<std::size_t>(nb)});
}

// Skips bytes the two texts share from `from` on, stopping after an ASCII byte: a character
// never spans an ASCII byte, so both texts decode alike up to that point.
std::size_t afterSharedBytes(std::string_view a, std::string_view b, std::size_t from)
{
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t same = from;
    // Eight bytes at a time first: group names sharing a long start meet this in every sort.
    while (same + 8 <= common) {
        std::uint64_t wa = 0;
        std::uint64_t wb = 0;
        std::memcpy(&wa, a.data() + same, 8);
        std::memcpy(&wb, b.data() + same, 8);
        if (wa != wb) {
            break;
        }
        same += 8;
    }
    while (same < common && a[same] == b[same]) {
        ++same;
    }
    while (same > from && static_cast<unsigned char>(a[same - 1]) >= 0x80) {
        --same;
    }
    return same;
}

} // namespace

int compareText(std::string_view a, std::string_view b)
{
    // Identical bytes are equal text; sorting a column meets this all the time.
    if (a == b) {
        return 0;
    }
    a = trimTrailingSpaces(a);
    b = trimTrailingSpaces(b);
    // The bytes both texts share fold alike; the comparison starts at a character where
    // they may differ.
    std::size_t i = afterSharedBytes(a, b, 0);
    const std::size_t common = std::min(a.size(), b.size());
    for (; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) & 0x80) {
            break;
        }
        const unsigned char la = asciiLower(ca);
        const unsigned char lb = asciiLower(cb);
        if (la != lb) {
            return la < lb ? -1 : 1;
        }
    }
    if (i == common) {
        return (a.size() == b.size()) ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    i = afterSharedBytes(a, b, i);
    // Every byte before i was ASCII in both texts, or the same bytes ending with an ASCII
    // byte, so i starts a character in each and everything before it folds alike.
    auto ia = static_cast<std::int32_t>(i);
    auto ib = static_cast<std::int32_t>(i);
    const auto na = static_cast<std::int32_t>(a.size());
    const auto nb = static_cast<std::int32_t>(b.size());
    while (ia < na && ib < nb) {
        const UChar32 fa = nextFolded(a, ia);
        const UChar32 fb = nextFolded(b, ib);
        if (fa != fb) {
            return fa < fb ? -1 : 1;
        }
    }
    if (ia < na) {
        return 1;
    }
    return ib < nb ? -1 : 0;
}

std::string foldKey(std::string_view text)
{
    return foldText(trimTrailingSpaces(text));
}

std::string foldText(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    appendFoldedText(text, key);
    return key;
}

void appendFoldedText(std::string_view text, std::string& key)
{
    std::int32_t i = 0;
    const auto n = static_cast<std::int32_t>(text.size());
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        if (c < 0x80) {
            key.push_back(static_cast<char>(asciiLower(c)));
            ++i;
            continue;
        }
        const UChar32 folded = nextFolded(text, i);
        if (folded >= 0x110000) {
            key.push_back('\xff');
            key.push_back(static_cast<char>(folded - 0x110000));
            continue;
        }
        char buffer[4];
        std::int32_t length = 0;
        UBool error = false;
        U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, folded, error);
        (void)error; // four bytes always hold one code point
        key.append(buffer, static_cast<std::size_t>(length));
    }
}

bool likeMatches(std::string_view pattern, std::string_view text)
{
    return likeMatch(pattern, 0, text, 0, -1);
}

void registerTextCollation(sqlite3* db)
{
    const int rc =
        sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, &collate, nullptr);
    if (rc != SQLITE_OK) {
        throw SqlError(rc, sqlite3_errmsg(db));
    }
    for (int argc : {2, 3}) {
        const int frc =
            sqlite3_create_function_v2(db, "like", argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                       nullptr, &likeFunction, nullptr, nullptr, nullptr);
        if (frc != SQLITE_OK) {
            throw SqlError(frc, sqlite3_errmsg(db));
        }
    }
}

void createTextTable(Database& db, std::string_view table,
                     const std::vector<std::string_view>& columns)
{
    std::string sql = "CREATE TABLE IF NOT EXISTS " + quoteIdentifier(table) + " (";
    const char* separator = "";
    for (std::string_view column : columns) {
        sql.append(separator).append(column).append(" TEXT COLLATE ").append(kTextCollation);
        separator = ", ";
    }
    db.exec(sql + ")");
}

} // namespace listrion::store
