#pragma once

#include <stdexcept>
#include <string>

namespace listrion::store {

// A renumbering or move that cannot be completed. The routine's transaction is rolled back, so
// nothing of it is applied.
class OrderingError : public std::runtime_error {
public:
    enum class Kind {
        MissingRow, // a swap found no row at the neighbour's position
        Overflow,   // a position left the range of its integer type
        NoPosition, // a row to be moved has no position (NULL)
    };

    OrderingError(Kind kind, const std::string& message) : std::runtime_error(message), m_kind(kind)
    {
    }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace listrion::store
