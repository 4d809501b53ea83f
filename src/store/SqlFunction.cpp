#include "store/SqlFunction.h"

#include "store/SqlError.h"

#include <sqlite3.h>

#include <exception>
#include <vector>

namespace listrion::store {

SqlFunction::SqlFunction(Database& db, std::string name, int arguments, Body body)
    : m_db(db), m_name(std::move(name)), m_arguments(arguments), m_body(std::move(body))
{
    create(&SqlFunction::call);
}

SqlFunction::SqlFunction(Database& db, std::string name, NumberBody body)
    : m_db(db), m_name(std::move(name)), m_arguments(1), m_numberBody(std::move(body))
{
    create(&SqlFunction::callNumber);
}

void SqlFunction::create(void (*entry)(sqlite3_context*, int, sqlite3_value**))
{
    const int rc = sqlite3_create_function_v2(m_db.handle(), m_name.c_str(), m_arguments,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC, this, entry,
                                              nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw SqlError(rc, "cannot register the function " + m_name);
    }
}

SqlFunction::~SqlFunction()
{
    sqlite3_create_function_v2(m_db.handle(), m_name.c_str(), m_arguments, SQLITE_UTF8, nullptr,
                               nullptr, nullptr, nullptr, nullptr);
}

void SqlFunction::call(sqlite3_context* context, int count, sqlite3_value** values)
{
    auto* self = static_cast<SqlFunction*>(sqlite3_user_data(context));
    std::vector<std::string_view> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[i]));
        const int bytes = sqlite3_value_bytes(values[i]);
        arguments.emplace_back(text != nullptr ? text : "", static_cast<std::size_t>(bytes));
    }
    try {
        const std::optional<std::string> result = self->m_body(arguments);
        if (result) {
            sqlite3_result_text64(context, result->data(), result->size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8);
        } else {
            sqlite3_result_null(context);
        }
    } catch (const std::exception& error) {
        sqlite3_result_error(context, error.what(), -1);
    }
}

void SqlFunction::callNumber(sqlite3_context* context, int, sqlite3_value** values)
{
    auto* self = static_cast<SqlFunction*>(sqlite3_user_data(context));
    try {
        const auto result = self->m_numberBody(sqlite3_value_int64(values[0]));
        if (const auto* number = std::get_if<std::int64_t>(&result)) {
            sqlite3_result_int64(context, *number);
        } else {
            const std::string_view text = std::get<std::string_view>(result);
            sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
    } catch (const std::exception& error) {
        sqlite3_result_error(context, error.what(), -1);
    }
}

} // namespace listrion::store
