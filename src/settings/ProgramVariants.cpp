#include "settings/ProgramVariants.h"

#include <array>

namespace listrion::settings::ProgramVariants {
namespace {

constexpr std::array<std::string_view, kCount> kVersions = {"2.1.29", "2.1.25", "2.1.16"};

std::string fileName(int entry)
{
    return "listrion-" + std::string(version(entry));
}

} // namespace

std::string_view version(int entry)
{
    return entry >= 1 && entry <= kCount ? kVersions[static_cast<std::size_t>(entry - 1)]
                                         : std::string_view();
}

std::optional<std::filesystem::path> find(const std::filesystem::path& directory, int entry)
{
    if (version(entry).empty()) {
        return std::nullopt;
    }
    const std::filesystem::path program = directory / fileName(entry);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(program, error);
    const auto executable = std::filesystem::perms::owner_exec |
                            std::filesystem::perms::group_exec |
                            std::filesystem::perms::others_exec;
    if (error || !std::filesystem::is_regular_file(status) ||
        (status.permissions() & executable) == std::filesystem::perms::none) {
        return std::nullopt;
    }
    return program;
}

std::string notInstalled(int entry, const std::filesystem::path& directory)
{
    return "Listrion " + std::string(version(entry)) + " is not installed: there is no program " +
           fileName(entry) + " in " + directory.string() + ".";
}

} // namespace listrion::settings::ProgramVariants
