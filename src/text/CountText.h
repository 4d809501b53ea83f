#pragma once

#include <cstdint>
#include <string>

namespace listrion::text {

// A count as the windows show it: digits in groups of three, "1,234,567" (the "###,###,###"
// format). Zero shows as "0".
std::string formatCount(std::int64_t value, char separator = ',');

} // namespace listrion::text
