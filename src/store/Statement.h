#pragma once

#include "store/Value.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace listrion::store {

// A prepared statement. Values are always bound as parameters (1-based, in order of the '?'s).
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    Statement& bind(int index, bool value) { return bind(index, std::int64_t{value ? 1 : 0}); }
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    Statement& bind(int index, const std::string& text)
    {
        return bind(index, std::string_view(text));
    }
    Statement& bind(int index, const Value& value);
    // Binds text without copying it: it must stay unchanged until the statement has run
    // (for bulk inserts from a buffer that outlives the statement's step).
    Statement& bindView(int index, std::string_view text);
    Statement& bindNull(int index);

    // Binds all arguments to parameters 1, 2, 3, ...
    template <typename... Args> Statement& bindAll(const Args&... args)
    {
        int index = 0;
        (bind(++index, args), ...);
        return *this;
    }

    // Runs one step: true when a row is available, false when the statement is done.
    bool step();
    // Runs the statement to its end (for statements that return no rows).
    void run();
    // Makes the statement ready to run again; bindings are kept until rebound.
    void reset();

    // The engine's statement, for code that binds values the engine handed out itself.
    sqlite3_stmt* handle() const { return m_stmt; }

    int columnCount() const;
    bool isNull(int column) const;
    std::int64_t columnInt(int column) const;
    // Text of the column; a NULL reads as the empty text.
    std::string columnText(int column) const;
    // Valid until the next step or reset.
    std::string_view columnView(int column) const;
    Value columnValue(int column) const;

private:
    void check(int rc) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace listrion::store
