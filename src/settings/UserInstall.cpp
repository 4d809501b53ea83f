#include "settings/UserInstall.h"

#include "settings/ProgramFolder.h"

#include "listrion/Version.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace listrion::settings {
namespace fs = std::filesystem;

namespace {

constexpr fs::perms kReadable =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
constexpr fs::perms kExecutable =
    kReadable | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

// Moves a finished temporary file over `target`; the temporary is removed when that fails.
std::string finish(const fs::path& partial, const fs::path& target, fs::perms perms)
{
    std::error_code ec;
    fs::permissions(partial, perms, fs::perm_options::replace, ec);
    if (!ec) {
        fs::rename(partial, target, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return target.string() + ": " + ec.message();
    }
    return {};
}

fs::path partialOf(const fs::path& target)
{
    fs::path partial = target;
    partial += ".partial";
    return partial;
}

// Copies beside the target, then renames: a copy cut short never leaves half a file, and a
// program file being run keeps its old inode until it ends.
std::string copyWhole(const fs::path& source, const fs::path& target, fs::perms perms)
{
    std::error_code ec;
    if (fs::equivalent(source, target, ec)) {
        return {}; // installing from the installed copy itself
    }
    const fs::path partial = partialOf(target);
    fs::create_directories(target.parent_path(), ec);
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(partial, ec);
        return source.string() + ": " + ec.message();
    }
    return finish(partial, target, perms);
}

std::string writeWhole(const std::string& text, const fs::path& target, fs::perms perms)
{
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const fs::path partial = partialOf(target);
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            out.close();
            fs::remove(partial, ec);
            return target.string() + ": cannot be written";
        }
    }
    return finish(partial, target, perms);
}

std::string copyFolder(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_directory(source, ec)) {
        return source.string() + ": no such folder";
    }
    for (auto it = fs::recursive_directory_iterator(source, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        const fs::path to = target / fs::relative(it->path(), source, ec);
        if (std::string error = copyWhole(it->path(), to, kReadable); !error.empty()) {
            return error;
        }
    }
    return ec ? source.string() + ": " + ec.message() : std::string();
}

// A desktop entry's Exec program: quoted when it holds a character the format reserves; inside
// the quotes ", `, $ and \ take a backslash, and the entry's own escaping doubles backslashes.
std::string execProgram(const std::string& path)
{
    if (path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) {
        return path;
    }
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$') {
            quoted += '\\';
        } else if (c == '\\') {
            quoted += "\\\\\\";
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

UserInstall::Sources UserInstall::Sources::ofProgram(const fs::path& editor)
{
    std::error_code ec;
    Sources sources;
    sources.editor = editor;
    const fs::path bin = editor.parent_path();
    const fs::path cli = fs::exists(bin / "listrion-cli", ec)
                             ? bin / "listrion-cli"
                             : bin.parent_path() / "cli" / "listrion-cli";
    sources.programs.push_back(cli);
    sources.dataFolder = ProgramFolder::shippedDataFolder();
    const fs::path share = bin.parent_path() / "share";
    const fs::path sourceApp = fs::path(kSourceDataDir).parent_path() / "src" / "app";
    const fs::path entry = share / "applications" / "listrion.desktop";
    sources.desktopEntry = fs::exists(entry, ec) ? entry : sourceApp / "listrion.desktop";
    const fs::path icon = share / "icons" / "hicolor" / "scalable" / "apps" / "listrion.svg";
    sources.icon = fs::exists(icon, ec) ? icon : sourceApp / "listrion.svg";
    return sources;
}

std::optional<UserInstall> UserInstall::forCurrentUser()
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return std::nullopt;
    }
    const fs::path homePath = fs::path(home).lexically_normal();
    fs::path desktop;
    // A fixed command line: nothing of the user's reaches the shell. The query works without
    // an application object, which a QProcess would need.
    if (FILE* query = popen("xdg-user-dir DESKTOP 2>/dev/null", "r")) {
        std::string answer;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, query) != nullptr) {
            answer += buffer;
        }
        if (pclose(query) == 0) {
            while (!answer.empty() && (answer.back() == '\n' || answer.back() == ' ')) {
                answer.pop_back();
            }
            desktop = answer;
        }
    }
    // A desktop folder set to the home folder itself (switched off) puts no launcher among the
    // user's files: home/Desktop is used then.
    const fs::path normal = desktop.lexically_normal();
    if (desktop.empty() || normal == homePath || normal == homePath / "") {
        desktop = homePath / "Desktop";
    }
    return UserInstall(homePath, desktop);
}

UserInstall::UserInstall(fs::path home, fs::path desktop)
    : m_home(std::move(home)), m_desktop(std::move(desktop))
{
}

fs::path UserInstall::applicationsFolder() const
{
    return m_home / ".local" / "share" / "applications";
}

fs::path UserInstall::iconFolder() const
{
    return m_home / ".local" / "share" / "icons" / "hicolor" / "scalable" / "apps";
}

std::string UserInstall::withExec(const std::string& entry, const fs::path& program)
{
    std::istringstream lines(entry);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) == 0) {
            // The first word is the program; the field codes after it stay.
            const std::size_t end = line.find(' ');
            const std::string rest = end == std::string::npos ? std::string() : line.substr(end);
            line = "Exec=" + execProgram(program.string()) + rest;
        }
        out += line + "\n";
    }
    return out;
}

std::string UserInstall::run(const Sources& sources) const
{
    const fs::path editor = binFolder() / sources.editor.filename();
    std::string error = copyWhole(sources.editor, editor, kExecutable);
    for (const fs::path& program : sources.programs) {
        if (error.empty()) {
            error = copyWhole(program, binFolder() / program.filename(), kExecutable);
        }
    }
    if (error.empty()) {
        error = copyFolder(sources.dataFolder, dataFolder());
    }
    if (error.empty()) {
        error = copyWhole(sources.icon, iconFolder() / sources.icon.filename(), kReadable);
    }
    if (!error.empty()) {
        return error;
    }
    std::error_code ec;
    if (!fs::is_regular_file(sources.desktopEntry, ec)) {
        return sources.desktopEntry.string() + ": no such file";
    }
    const std::string entry = withExec(readAll(sources.desktopEntry), editor);
    const fs::path name = sources.desktopEntry.filename();
    error = writeWhole(entry, applicationsFolder() / name, kReadable);
    // A launcher on the desktop must be executable for the file manager to start it.
    return error.empty() ? writeWhole(entry, m_desktop / name, kExecutable) : error;
}

} // namespace listrion::settings
