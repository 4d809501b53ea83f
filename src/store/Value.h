#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace listrion::store {

// One cell as the engine holds it: NULL, an integer, a real number or text (UTF-8).
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& v)
{
    return std::holds_alternative<std::monostate>(v);
}

} // namespace listrion::store
