#pragma once

#include "store/Database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

struct sqlite3_context;
struct sqlite3_value;

namespace listrion::store {

// A scalar SQL function computed by C++ on text, registered on one connection for the life of
// this object, so one statement can apply a text rule to every row it touches. A NULL argument
// reads as the empty text; an empty optional result gives NULL. An exception of the body makes
// the statement fail with its message.
class SqlFunction {
public:
    using Body = std::function<std::optional<std::string>(std::span<const std::string_view>)>;
    // A function of one whole number (a row id) that gives a number or a text, for statements
    // over a million rows where turning numbers into text and back would cost more than the
    // rule itself. The text must stay valid until the statement has used it.
    using NumberBody = std::function<std::variant<std::int64_t, std::string_view>(std::int64_t)>;

    SqlFunction(Database& db, std::string name, int arguments, Body body);
    SqlFunction(Database& db, std::string name, NumberBody body);
    SqlFunction(const SqlFunction&) = delete;
    SqlFunction& operator=(const SqlFunction&) = delete;
    ~SqlFunction();

private:
    static void call(sqlite3_context* context, int count, sqlite3_value** values);
    static void callNumber(sqlite3_context* context, int count, sqlite3_value** values);
    void create(void (*entry)(sqlite3_context*, int, sqlite3_value**));

    Database& m_db;
    std::string m_name;
    int m_arguments;
    Body m_body;
    NumberBody m_numberBody;
};

} // namespace listrion::store
