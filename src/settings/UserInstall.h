#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace listrion::settings {

// Installs the running program for the user who runs it, under ~/.local: the programs in bin,
// the shipped data in share/listrion, the desktop entry (starting the installed editor) in
// share/applications, the icon in share/icons, and a launcher on the user's desktop. Every file
// is replaced whole, so running it again over an earlier copy overwrites it.
class UserInstall {
public:
    // What is installed.
    struct Sources {
        std::filesystem::path editor; // the editor's program file; the desktop entry starts it
        std::vector<std::filesystem::path> programs; // further program files (listrion-cli)
        std::filesystem::path dataFolder;            // its subfolders are copied too
        std::filesystem::path desktopEntry;
        std::filesystem::path icon;

        // The files of the program whose editor is `editor`: listrion-cli beside it (or in the
        // build tree's cli folder), the shipped data folder, and the desktop entry and icon of
        // the installed share folder beside bin, else of the source tree.
        static Sources ofProgram(const std::filesystem::path& editor);
    };

    // Home and desktop folder of the user running the program: $HOME, and what
    // `xdg-user-dir DESKTOP` names (home/Desktop when it names home itself, or cannot run).
    // Nothing when HOME is not set.
    static std::optional<UserInstall> forCurrentUser();

    UserInstall(std::filesystem::path home, std::filesystem::path desktop);

    std::filesystem::path binFolder() const { return m_home / ".local" / "bin"; }
    std::filesystem::path dataFolder() const { return m_home / ".local" / "share" / "listrion"; }
    std::filesystem::path applicationsFolder() const;
    std::filesystem::path iconFolder() const;
    std::filesystem::path desktopFolder() const { return m_desktop; }

    // Copies everything; an empty result on success, else what failed.
    std::string run(const Sources& sources) const;

    // The desktop entry text with its Exec line starting `program` (quoted when needed) and
    // keeping the field codes the original gave.
    static std::string withExec(const std::string& entry, const std::filesystem::path& program);

private:
    std::filesystem::path m_home;
    std::filesystem::path m_desktop;
};

} // namespace listrion::settings
