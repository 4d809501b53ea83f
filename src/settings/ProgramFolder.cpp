#include "settings/ProgramFolder.h"

#include "settings/IniDocument.h"

#include "listrion/Version.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace listrion::settings {
namespace fs = std::filesystem;

namespace {

std::optional<fs::path> environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return fs::path(value);
}

fs::path defaultFolder()
{
    if (auto xdg = environmentPath("XDG_DATA_HOME")) {
        return *xdg / "listrion";
    }
    if (auto home = environmentPath("HOME")) {
        return *home / ".local" / "share" / "listrion";
    }
    throw std::runtime_error("cannot find the program folder: neither --home, LISTRION_HOME, "
                             "XDG_DATA_HOME nor HOME is set");
}

// A language file that an older version copied into the folder lacks the keys added since:
// each is added with its shipped text, and every text already there, edited or not, stays.
// The file is replaced whole, and only when something was missing.
void addMissingKeys(const fs::path& shipped, const fs::path& copy)
{
    IniDocument mine = IniDocument::load(copy);
    bool added = false;
    for (const IniDocument::Entry& e : IniDocument::load(shipped).entries()) {
        if (!mine.hasValue(e.section, e.key)) {
            mine.setValue(e.section, e.key, e.text);
            added = true;
        }
    }
    if (added) {
        mine.save(copy);
    }
}

// An installed program finds its data beside its bin folder: <prefix>/bin/listrion reads
// <prefix>/share/listrion, wherever the prefix is (a package, ~/.local, an unpacked tree).
std::optional<fs::path> dataBesideProgram()
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return std::nullopt;
    }
    const fs::path data = program.parent_path().parent_path() / "share" / "listrion";
    if (!fs::is_regular_file(data / "English.lng", ec)) {
        return std::nullopt;
    }
    return data;
}

} // namespace

ProgramFolder ProgramFolder::resolve(const std::optional<fs::path>& homeOption)
{
    fs::path folder;
    if (homeOption && !homeOption->empty()) {
        folder = *homeOption;
    } else if (auto env = environmentPath("LISTRION_HOME")) {
        folder = *env;
    } else {
        folder = defaultFolder();
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        throw std::runtime_error("cannot create the program folder " + folder.string());
    }
    return ProgramFolder(fs::absolute(folder, ec));
}

fs::path ProgramFolder::shippedDataFolder()
{
    if (auto env = environmentPath("LISTRION_DATA_DIR")) {
        return *env;
    }
    if (auto beside = dataBesideProgram()) {
        return *beside;
    }
    std::error_code ec;
    if (fs::is_directory(kSourceDataDir, ec)) {
        return kSourceDataDir;
    }
    return kInstalledDataDir;
}

std::vector<fs::path> ProgramFolder::shippedDataFolders()
{
    fs::path first = shippedDataFolder();
    if (first == fs::path(kSourceDataDir)) {
        return {first, kBuildDataDir};
    }
    return {first};
}

fs::path ProgramFolder::shippedFile(const std::string& name)
{
    std::error_code ec;
    for (const fs::path& folder : shippedDataFolders()) {
        if (fs::is_regular_file(folder / name, ec)) {
            return folder / name;
        }
    }
    return {};
}

fs::path ProgramFolder::userGuide()
{
    const fs::path help = shippedDataFolder() / "help";
    std::error_code ec;
    for (const char* name : {"guide.html", "guide.md"}) {
        if (fs::is_regular_file(help / name, ec)) {
            return help / name;
        }
    }
    return fs::path(kSourceDataDir).parent_path() / "docs" / "guide.md";
}

void ProgramFolder::installShippedData() const
{
    for (const fs::path& source : shippedDataFolders()) {
        installFrom(source);
    }
}

void ProgramFolder::installFrom(const fs::path& source) const
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(source, ec)) {
        if (!entry.is_regular_file(ec)) {
            continue;
        }
        const fs::path target = m_path / entry.path().filename();
        if (fs::exists(target, ec)) {
            if (entry.path().extension() == ".lng") {
                addMissingKeys(entry.path(), target);
            }
            continue;
        }
        // Copy beside the target and rename, so an interrupted copy never leaves half a file.
        fs::path partial = target;
        partial += ".partial";
        fs::remove(partial, ec);
        if (!fs::copy_file(entry.path(), partial, ec)) {
            continue;
        }
        // Shipped files are installed read-only; the copy belongs to the user.
        fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, ec);
        fs::rename(partial, target, ec);
        if (ec) {
            fs::remove(partial, ec);
        }
    }
}

} // namespace listrion::settings
