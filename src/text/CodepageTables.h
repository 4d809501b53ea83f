#pragma once

#include <array>

namespace listrion::text {

extern const std::array<char16_t, 128> k_windows_1250;
extern const std::array<char16_t, 128> k_windows_1251;
extern const std::array<char16_t, 128> k_windows_1252;
extern const std::array<char16_t, 128> k_iso_8859_2;

} // namespace listrion::text
