#pragma once

#include "store/OrderingError.h"

#include <cstdint>
#include <limits>
#include <string>

namespace listrion::store {

// The value range of a position: channel positions are 32-bit, the group swaps work on 16-bit
// positions. Arithmetic that leaves the range is an error, as an integer overflow would be.
struct PositionRange {
    std::int64_t min;
    std::int64_t max;

    static constexpr PositionRange int32()
    {
        return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    }
    static constexpr PositionRange int16()
    {
        return {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
    }

    bool contains(std::int64_t value) const { return value >= min && value <= max; }

    // `value` when it lies in the range; otherwise an Overflow error.
    std::int64_t checked(std::int64_t value) const
    {
        if (!contains(value)) {
            throw OrderingError(OrderingError::Kind::Overflow,
                                "position " + std::to_string(value) + " is out of range");
        }
        return value;
    }
    std::int64_t add(std::int64_t value, std::int64_t delta) const
    {
        return checked(checked(value) + delta);
    }
};

// A running number handed out as first, first+1, ... Only the numbers actually handed out must
// fit the range.
class PositionCounter {
public:
    explicit PositionCounter(std::int64_t first, PositionRange range = PositionRange::int32())
        : m_next(first), m_range(range)
    {
    }
    std::int64_t next() { return m_range.checked(m_next++); }
    // The number next() gives next, without handing it out.
    std::int64_t upcoming() const { return m_next; }
    // Passes over `count` numbers as if they were handed out.
    void skip(std::int64_t count)
    {
        if (count > 0) {
            m_range.checked(m_next + count - 1);
            m_next += count;
        }
    }

private:
    std::int64_t m_next;
    PositionRange m_range;
};

} // namespace listrion::store
