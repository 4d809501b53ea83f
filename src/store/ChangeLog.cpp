// The engine declares its pre-update interface only when asked to; the system library is built
// with it.
#define SQLITE_ENABLE_PREUPDATE_HOOK 1
#include "store/ChangeLog.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace listrion::store {
namespace {

enum Type : std::uint8_t {
    kNull = 0,
    kInteger = 1,
    kReal = 2,
    kText = 3,
    kBlob = 4,
    kReference = 5
};

bool same(sqlite3_value* a, sqlite3_value* b)
{
    const int type = sqlite3_value_type(a);
    if (type != sqlite3_value_type(b)) {
        return false;
    }
    switch (type) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(a) == sqlite3_value_int64(b);
    case SQLITE_FLOAT:
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    default: {
        const int bytes = sqlite3_value_bytes(a);
        const void* x = type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(a))
                                            : sqlite3_value_blob(a);
        const int otherBytes = sqlite3_value_bytes(b);
        const void* y = type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(b))
                                            : sqlite3_value_blob(b);
        return bytes == otherBytes && (bytes == 0 || std::memcmp(x, y, bytes) == 0);
    }
    }
}

void appendFixed(std::string& out, std::uint64_t value)
{
    char bytes[8];
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<char>(value >> (8 * i));
    }
    out.append(bytes, sizeof bytes);
}

void appendHeader(std::string& out, int table, ChangeLog::Op op, std::int64_t rowid)
{
    out.push_back(static_cast<char>(table));
    out.push_back(static_cast<char>(op));
    appendFixed(out, static_cast<std::uint64_t>(rowid));
    out.append(4, '\0'); // the payload's length, filled in once it is known
}

// Fills in the length of the payload that started after the header ending at `end`.
void closePayload(std::string& out, std::size_t end)
{
    const auto size = static_cast<std::uint32_t>(out.size() - end);
    for (int i = 0; i < 4; ++i) {
        out[end - 4 + static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i));
    }
}

void appendText(std::string& out, std::string_view text)
{
    out.push_back(static_cast<char>(kText));
    PackedValue::appendVarint(out, text.size());
    out.append(text);
}

bool readFixed(std::string_view& bytes, std::uint64_t& value)
{
    if (bytes.size() < 8) {
        return false;
    }
    value = 0;
    for (int i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    bytes.remove_prefix(8);
    return true;
}

} // namespace

namespace PackedValue {

void appendVarint(std::string& out, std::uint64_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

bool readVarint(std::string_view& bytes, std::uint64_t& value)
{
    value = 0;
    for (int shift = 0; !bytes.empty() && shift < 64; shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes.front());
        bytes.remove_prefix(1);
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

void append(std::string& out, sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        out.push_back(static_cast<char>(kNull));
        return;
    case SQLITE_INTEGER:
        out.push_back(static_cast<char>(kInteger));
        appendFixed(out, static_cast<std::uint64_t>(sqlite3_value_int64(value)));
        return;
    case SQLITE_FLOAT: {
        out.push_back(static_cast<char>(kReal));
        const double real = sqlite3_value_double(value);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &real, sizeof bits);
        appendFixed(out, bits);
        return;
    }
    default: {
        const bool text = sqlite3_value_type(value) == SQLITE_TEXT;
        const auto* data = text ? reinterpret_cast<const char*>(sqlite3_value_text(value))
                                : static_cast<const char*>(sqlite3_value_blob(value));
        const int bytes = sqlite3_value_bytes(value);
        out.push_back(static_cast<char>(text ? kText : kBlob));
        appendVarint(out, static_cast<std::uint64_t>(bytes));
        out.append(data != nullptr ? data : "", static_cast<std::size_t>(bytes));
    }
    }
}

bool isReference(std::string_view bytes)
{
    return !bytes.empty() && static_cast<unsigned char>(bytes.front()) == kReference;
}

bool bind(std::string_view& bytes, sqlite3_stmt* statement, int index)
{
    if (bytes.empty()) {
        return false;
    }
    const auto type = static_cast<unsigned char>(bytes.front());
    bytes.remove_prefix(1);
    std::uint64_t number = 0;
    switch (type) {
    case kNull:
        sqlite3_bind_null(statement, index);
        return true;
    case kInteger:
        if (!readFixed(bytes, number)) {
            return false;
        }
        sqlite3_bind_int64(statement, index, static_cast<sqlite3_int64>(number));
        return true;
    case kReal: {
        if (!readFixed(bytes, number)) {
            return false;
        }
        double real = 0;
        std::memcpy(&real, &number, sizeof real);
        sqlite3_bind_double(statement, index, real);
        return true;
    }
    case kText:
    case kBlob:
        if (!readVarint(bytes, number) || number > bytes.size()) {
            return false;
        }
        if (type == kText) {
            sqlite3_bind_text64(statement, index, bytes.data(), number, SQLITE_TRANSIENT,
                                SQLITE_UTF8);
        } else {
            sqlite3_bind_blob64(statement, index, bytes.data(), number, SQLITE_TRANSIENT);
        }
        bytes.remove_prefix(number);
        return true;
    default:
        return false;
    }
}

bool skip(std::string_view& bytes)
{
    if (bytes.empty()) {
        return false;
    }
    const auto type = static_cast<unsigned char>(bytes.front());
    bytes.remove_prefix(1);
    std::uint64_t size = 0;
    switch (type) {
    case kNull:
    case kReference:
        return true;
    case kInteger:
    case kReal:
        size = 8;
        break;
    default:
        if (!readVarint(bytes, size)) {
            return false;
        }
    }
    if (size > bytes.size()) {
        return false;
    }
    bytes.remove_prefix(size);
    return true;
}

} // namespace PackedValue

void ChangeLog::attach(sqlite3* db)
{
    sqlite3_preupdate_hook(db, &ChangeLog::hook, this);
}

int ChangeLog::tableNumber(std::string_view table)
{
    for (int i = 0; i < static_cast<int>(std::size(kTables)); ++i) {
        if (sqlite3_stricmp(std::string(table).c_str(), kTables[i].data()) == 0) {
            return i;
        }
    }
    return -1;
}

void ChangeLog::addNumberChange(int table, std::int64_t rowid, int column,
                                std::optional<std::int64_t> old, std::int64_t now)
{
    appendHeader(m_bytes, table, Op::Update, rowid);
    const std::size_t end = m_bytes.size();
    m_bytes.push_back(1);
    m_bytes.push_back(static_cast<char>(column));
    if (old) {
        m_bytes.push_back(static_cast<char>(kInteger));
        appendFixed(m_bytes, static_cast<std::uint64_t>(*old));
    } else {
        m_bytes.push_back(static_cast<char>(kNull));
    }
    m_bytes.push_back(static_cast<char>(kInteger));
    appendFixed(m_bytes, static_cast<std::uint64_t>(now));
    closePayload(m_bytes, end);
    ++m_count;
}

void ChangeLog::addTextChanges(int table, std::int64_t rowid, std::initializer_list<TextEdit> edits)
{
    appendHeader(m_bytes, table, Op::Update, rowid);
    const std::size_t end = m_bytes.size();
    m_bytes.push_back(static_cast<char>(edits.size()));
    const TextEdit* before = nullptr;
    for (const TextEdit& edit : edits) {
        m_bytes.push_back(static_cast<char>(edit.column));
        if (before != nullptr && edit.old == before->old) {
            m_bytes.push_back(static_cast<char>(kReference));
        } else {
            appendText(m_bytes, edit.old);
        }
        if (before != nullptr && edit.now == before->now) {
            m_bytes.push_back(static_cast<char>(kReference));
        } else {
            appendText(m_bytes, edit.now);
        }
        before = &edit;
    }
    closePayload(m_bytes, end);
    ++m_count;
}

void ChangeLog::addSameTextChange(int table, int column, std::string_view old, std::string_view now,
                                  std::vector<std::int64_t>& rowids)
{
    if (rowids.empty()) {
        return;
    }
    std::sort(rowids.begin(), rowids.end());
    appendHeader(m_bytes, table, Op::UpdateRows, 0);
    const std::size_t end = m_bytes.size();
    m_bytes.push_back(static_cast<char>(column));
    appendText(m_bytes, old);
    appendText(m_bytes, now);
    PackedValue::appendVarint(m_bytes, rowids.size());
    std::int64_t last = 0;
    for (const std::int64_t rowid : rowids) {
        PackedValue::appendVarint(m_bytes, static_cast<std::uint64_t>(rowid - last));
        last = rowid;
    }
    closePayload(m_bytes, end);
    ++m_count;
}

void ChangeLog::addInsertedRange(int table, std::int64_t first, std::int64_t last)
{
    if (last < first) {
        return;
    }
    appendHeader(m_bytes, table, Op::InsertedRange, first);
    const std::size_t end = m_bytes.size();
    appendFixed(m_bytes, static_cast<std::uint64_t>(last));
    closePayload(m_bytes, end);
    ++m_count;
    m_aside += (last - first + 1) * kAsideRowBytes;
}

void ChangeLog::rollbackTo(std::size_t mark)
{
    if (mark < m_bytes.size()) {
        m_bytes.resize(mark);
        recount();
    }
}

// The count and the rows kept aside only tell the size of the step; a recount walks the bytes.
void ChangeLog::recount()
{
    m_count = 0;
    m_aside = 0;
    std::string_view rest = m_bytes;
    Change change;
    while (next(rest, change)) {
        ++m_count;
        if (change.op == Op::InsertedRange) {
            m_aside += (insertedLast(change) - change.rowid + 1) * kAsideRowBytes;
        }
    }
}

std::int64_t ChangeLog::insertedLast(const Change& change)
{
    std::string_view payload = change.payload;
    std::uint64_t last = 0;
    readFixed(payload, last);
    return static_cast<std::int64_t>(last);
}

void ChangeLog::clear()
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_count = 0;
    m_aside = 0;
}

void ChangeLog::hook(void* self, sqlite3* db, int op, const char* schema, const char* table,
                     long long oldRowid, long long newRowid)
{
    auto* log = static_cast<ChangeLog*>(self);
    if (!log->m_collecting || !log->m_enabled || std::strcmp(schema, "main") != 0) {
        return;
    }
    for (int i = 0; i < static_cast<int>(std::size(kTables)); ++i) {
        if (sqlite3_stricmp(table, kTables[i].data()) == 0) {
            log->collect(db, op, i, oldRowid, newRowid);
            return;
        }
    }
}

void ChangeLog::collect(sqlite3* db, int op, int table, std::int64_t oldRowid,
                        std::int64_t newRowid)
{
    if (op == SQLITE_UPDATE && oldRowid != newRowid) {
        return; // the programs never change a row id
    }
    const int columns = sqlite3_preupdate_count(db);
    const std::size_t start = m_bytes.size();
    appendHeader(m_bytes, table,
                 op == SQLITE_INSERT   ? Op::Insert
                 : op == SQLITE_UPDATE ? Op::Update
                                       : Op::Delete,
                 op == SQLITE_INSERT ? newRowid : oldRowid);
    const std::size_t end = m_bytes.size();
    if (op == SQLITE_UPDATE) {
        // Column 0 of Playlist and Grupa is the tick, which is selection, not an edit.
        const int first = table < 2 ? 1 : 0;
        const std::size_t countAt = m_bytes.size();
        m_bytes.push_back('\0');
        unsigned count = 0;
        for (int c = first; c < columns; ++c) {
            sqlite3_value* before = nullptr;
            sqlite3_value* after = nullptr;
            sqlite3_preupdate_old(db, c, &before);
            sqlite3_preupdate_new(db, c, &after);
            if (before != nullptr && after != nullptr && !same(before, after)) {
                m_bytes.push_back(static_cast<char>(c));
                PackedValue::append(m_bytes, before);
                PackedValue::append(m_bytes, after);
                ++count;
            }
        }
        if (count == 0) {
            m_bytes.resize(start);
            return;
        }
        m_bytes[countAt] = static_cast<char>(count);
    } else {
        m_bytes.push_back(static_cast<char>(columns));
        for (int c = 0; c < columns; ++c) {
            sqlite3_value* value = nullptr;
            (op == SQLITE_INSERT ? sqlite3_preupdate_new : sqlite3_preupdate_old)(db, c, &value);
            PackedValue::append(m_bytes, value);
        }
    }
    closePayload(m_bytes, end);
    ++m_count;
}

void SameTextChanges::add(std::int64_t rowid, std::string_view old, std::string_view now)
{
    // Rows mostly come a group at a time: the pair before is the likely one.
    if (m_last == nullptr || m_lastKey.first != old || m_lastKey.second != now) {
        m_lastKey = {std::string(old), std::string(now)};
        m_last = &m_rows[m_lastKey];
    }
    m_last->push_back(rowid);
}

void SameTextChanges::addTo(ChangeLog& log)
{
    for (auto& [texts, rowids] : m_rows) {
        log.addSameTextChange(m_table, m_column, texts.first, texts.second, rowids);
    }
    m_rows.clear();
    m_last = nullptr;
}

bool ChangeLog::next(std::string_view& bytes, Change& change)
{
    if (bytes.size() < 2) {
        return false;
    }
    change.table = static_cast<std::uint8_t>(bytes[0]);
    change.op = static_cast<Op>(bytes[1]);
    bytes.remove_prefix(2);
    std::uint64_t rowid = 0;
    if (!readFixed(bytes, rowid) || bytes.size() < 4) {
        return false;
    }
    std::uint64_t size = 0;
    for (int i = 0; i < 4; ++i) {
        size |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    bytes.remove_prefix(4);
    if (size > bytes.size()) {
        return false;
    }
    change.rowid = static_cast<std::int64_t>(rowid);
    change.payload = bytes.substr(0, size);
    bytes.remove_prefix(size);
    return true;
}

} // namespace listrion::store
