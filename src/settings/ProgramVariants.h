#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace listrion::settings {

// The other versions of the program the variant menu starts (entries 1 to 3): programs named
// listrion-<version> beside this program's own executable.
namespace ProgramVariants {

inline constexpr int kCount = 3;

// "2.1.29", "2.1.25", "2.1.16" for entries 1, 2, 3; empty for any other entry.
std::string_view version(int entry);
// The executable of an entry in `directory` when it is there and may be run.
std::optional<std::filesystem::path> find(const std::filesystem::path& directory, int entry);
// What the user is told when an entry's executable is missing.
std::string notInstalled(int entry, const std::filesystem::path& directory);

} // namespace ProgramVariants
} // namespace listrion::settings
