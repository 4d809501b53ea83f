#pragma once

#include <stdexcept>
#include <string>

namespace listrion::store {

// An error reported by the database engine, with the engine's result code.
class SqlError : public std::runtime_error {
public:
    SqlError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

} // namespace listrion::store
