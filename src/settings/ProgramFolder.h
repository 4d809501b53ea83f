#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace listrion::settings {

// The folder that holds everything kept "beside the program": data.mdb, Settings.ini, the
// language files, logo.mdb, izdvoji.mdb and temp.m3u. It is --home DIR when given, else
// $LISTRION_HOME, else $XDG_DATA_HOME/listrion (~/.local/share/listrion), and is created when
// missing. Files shipped with the program are copied into it when missing there.
class ProgramFolder {
public:
    // Resolves and creates the folder; throws std::runtime_error when it cannot be created.
    static ProgramFolder resolve(const std::optional<std::filesystem::path>& homeOption);

    explicit ProgramFolder(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

    std::filesystem::path dataMdb() const { return file("data.mdb"); }
    std::filesystem::path logoMdb() const { return file("logo.mdb"); }
    std::filesystem::path izdvojiMdb() const { return file("izdvoji.mdb"); }
    std::filesystem::path settingsIni() const { return file("Settings.ini"); }
    std::filesystem::path tempM3u() const { return file("temp.m3u"); }

    // Where the files shipped with the program are found: $LISTRION_DATA_DIR, else
    // share/listrion beside the program's bin folder, else the source tree's data folder for a
    // build that runs from it, else the folder the build was configured to install to.
    static std::filesystem::path shippedDataFolder();
    // That folder, and for a build that runs from the source tree also the build's data folder,
    // which holds what the build makes (logo.mdb).
    static std::vector<std::filesystem::path> shippedDataFolders();
    // The shipped file of that name from the first of those folders that has it; empty when
    // none has.
    static std::filesystem::path shippedFile(const std::string& name);
    // The user guide: help/guide.html of the shipped data (help/guide.md when it was shipped
    // unrendered), else the source tree's docs/guide.md.
    static std::filesystem::path userGuide();
    // Copies every shipped file that the program folder lacks; existing files are kept.
    void installShippedData() const;

private:
    void installFrom(const std::filesystem::path& source) const;

    std::filesystem::path m_path;
};

} // namespace listrion::settings
