#include "settings/UserInstall.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace listrion::settings {
namespace {

namespace fs = std::filesystem;

bool executable(const fs::path& file)
{
    return (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// Installing twice into a home whose path needs quoting in a desktop entry: the second run
// replaces every file, the entries start the installed editor, and installing from the
// installed copy itself leaves it whole.
TEST(UserInstallTest, InstallsUnderTheHomeFolderAndOverwritesAnEarlierCopy)
{
    test::TempFolder temp;
    const fs::path from = temp.path() / "build";
    fs::create_directories(from / "data" / "help");
    UserInstall::Sources sources;
    sources.editor = temp.write("build/listrion", "editor 1");
    sources.programs = {temp.write("build/listrion-cli", "cli 1")};
    sources.dataFolder = from / "data";
    temp.write("build/data/English.lng", "[Main]\n");
    temp.write("build/data/help/guide.html", "<html>");
    sources.desktopEntry = fs::path(LISTRION_SOURCE_DIR) / "src" / "app" / "listrion.desktop";
    sources.icon = temp.write("build/listrion.svg", "<svg/>");
    const fs::path home = temp.path() / "my home";
    const UserInstall install(home, home / "Desktop");

    ASSERT_EQ(install.run(sources), "");
    temp.write("build/listrion", "editor 2");
    ASSERT_EQ(install.run(sources), "");

    const fs::path bin = home / ".local" / "bin";
    EXPECT_EQ(test::readFile(bin / "listrion"), "editor 2");
    EXPECT_EQ(test::readFile(bin / "listrion-cli"), "cli 1");
    EXPECT_TRUE(executable(bin / "listrion") && executable(bin / "listrion-cli"));
    const fs::path share = home / ".local" / "share";
    EXPECT_EQ(test::readFile(share / "listrion" / "help" / "guide.html"), "<html>");
    EXPECT_TRUE(fs::exists(share / "icons" / "hicolor" / "scalable" / "apps" / "listrion.svg"));
    const std::string entry = test::readFile(share / "applications" / "listrion.desktop");
    EXPECT_NE(entry.find("\nExec=\"" + (bin / "listrion").string() + "\" %f\n"), std::string::npos)
        << entry;
    EXPECT_EQ(test::readFile(home / "Desktop" / "listrion.desktop"), entry);
    EXPECT_TRUE(executable(home / "Desktop" / "listrion.desktop"));
    for (const auto& file : fs::recursive_directory_iterator(home)) {
        EXPECT_NE(file.path().extension(), ".partial") << file.path();
    }

    UserInstall::Sources installed = sources;
    installed.editor = bin / "listrion";
    installed.dataFolder = share / "listrion";
    ASSERT_EQ(install.run(installed), "");
    EXPECT_EQ(test::readFile(bin / "listrion"), "editor 2");
    EXPECT_EQ(test::readFile(share / "listrion" / "help" / "guide.html"), "<html>");
}

// The desktop folder is the one the user's folder settings name; without one, home/Desktop.
TEST(UserInstallTest, DesktopFolderFollowsTheUsersFolderSettings)
{
    test::TempFolder temp;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("HOME", temp.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const std::optional<UserInstall> plain = UserInstall::forCurrentUser();
    fs::create_directories(temp.path() / ".config");
    temp.write(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    const std::optional<UserInstall> configured = UserInstall::forCurrentUser();
    for (const auto& [name, value] : saved) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ASSERT_TRUE(plain && configured);
    EXPECT_EQ(plain->desktopFolder(), temp.path() / "Desktop");
    EXPECT_EQ(configured->desktopFolder(), temp.path() / "Schreibtisch");
    EXPECT_EQ(configured->binFolder(), temp.path() / ".local" / "bin");
}

} // namespace
} // namespace listrion::settings
