#pragma once

#include "store/Database.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

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

    SqlFunction(Database& db, std::string name, int arguments, Body body);
    SqlFunction(const SqlFunction&) = delete;
    SqlFunction& operator=(const SqlFunction&) = delete;
    ~SqlFunction();

private:
    static void call(sqlite3_context* context, int count, sqlite3_value** values);

    Database& m_db;
    std::string m_name;
    int m_arguments;
    Body m_body;
};

} // namespace listrion::store
