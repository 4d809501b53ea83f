#include "store/Statement.h"

#include "store/SqlError.h"

#include <sqlite3.h>

#include <utility>

namespace listrion::store {

Statement::Statement(sqlite3* db, std::string_view sql) : m_db(db)
{
    const int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        throw SqlError(rc, std::string(sqlite3_errmsg(db)) + " in: " + std::string(sql));
    }
}

Statement::Statement(Statement&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr))
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = std::exchange(other.m_db, nullptr);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::check(int rc) const
{
    if (rc != SQLITE_OK) {
        throw SqlError(rc, sqlite3_errmsg(m_db));
    }
}

Statement& Statement::bind(int index, std::int64_t value)
{
    check(sqlite3_bind_int64(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text)
{
    check(sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8));
    return *this;
}

Statement& Statement::bindView(int index, std::string_view text)
{
    // A view without data still means the empty text, not NULL.
    const char* data = text.data() != nullptr ? text.data() : "";
    check(sqlite3_bind_text64(m_stmt, index, data, text.size(), SQLITE_STATIC, SQLITE_UTF8));
    return *this;
}

Statement& Statement::bind(int index, const Value& value)
{
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                bindNull(index);
            } else {
                bind(index, v);
            }
        },
        value);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index));
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const std::string message = sqlite3_errmsg(m_db);
    sqlite3_reset(m_stmt);
    throw SqlError(rc, message);
}

void Statement::run()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::int64_t Statement::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string_view Statement::columnView(int column) const
{
    const auto* text = sqlite3_column_text(m_stmt, column);
    if (text == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))};
}

std::string Statement::columnText(int column) const
{
    return std::string(columnView(column));
}

Value Statement::columnValue(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return std::monostate{};
    case SQLITE_INTEGER:
        return columnInt(column);
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    default:
        return columnText(column);
    }
}

} // namespace listrion::store
