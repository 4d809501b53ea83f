#include "settings/ProgramFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace listrion::settings {
namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"LISTRION_HOME", "XDG_DATA_HOME", "HOME", "LISTRION_DATA_DIR"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    test::TempFolder temp;
};

TEST_F(ProgramFolderTest, HomeOptionThenEnvironmentThenXdgDefault)
{
    setenv("LISTRION_HOME", (temp.path() / "env").c_str(), 1);
    setenv("XDG_DATA_HOME", (temp.path() / "xdg").c_str(), 1);
    EXPECT_EQ(ProgramFolder::resolve(temp.path() / "opt" / "deep").path(),
              temp.path() / "opt" / "deep");
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "opt" / "deep"));
    EXPECT_EQ(ProgramFolder::resolve(std::nullopt).path(), temp.path() / "env");
    unsetenv("LISTRION_HOME");
    EXPECT_EQ(ProgramFolder::resolve(std::nullopt).path(), temp.path() / "xdg" / "listrion");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", (temp.path() / "home").c_str(), 1);
    EXPECT_EQ(ProgramFolder::resolve(std::nullopt).dataMdb(),
              temp.path() / "home" / ".local" / "share" / "listrion" / "data.mdb");
}

TEST_F(ProgramFolderTest, ShippedDataIsCopiedOnlyWhenMissing)
{
    const auto shipped = temp.path() / "shipped";
    std::filesystem::create_directories(shipped);
    temp.write("shipped/English.lng", "[Main]\n1=new\n");
    temp.write("shipped/French.lng", "[Main]\n1=neuf\n");
    std::filesystem::permissions(shipped / "French.lng", std::filesystem::perms::owner_read);
    setenv("LISTRION_DATA_DIR", shipped.c_str(), 1);

    const ProgramFolder folder = ProgramFolder::resolve(temp.path() / "home");
    temp.write("home/English.lng", "[Main]\n1=edited by the user\n");
    folder.installShippedData();

    EXPECT_EQ(test::readFile(folder.file("English.lng")), "[Main]\n1=edited by the user\n");
    // A newer version's keys join a copy from an older one; the user's texts stay.
    temp.write("shipped/English.lng", "[Main]\n1=new\n2=\"added\"\n[Menu]\n1=&File\n");
    folder.installShippedData();
    EXPECT_EQ(test::readFile(folder.file("English.lng")),
              "[Main]\n1=edited by the user\n2=\"added\"\n[Menu]\n1=&File\n");
    EXPECT_EQ(test::readFile(folder.file("French.lng")), "[Main]\n1=neuf\n");
    // The copy of a read-only shipped file can be changed by the user.
    EXPECT_TRUE((std::filesystem::status(folder.file("French.lng")).permissions() &
                 std::filesystem::perms::owner_write) != std::filesystem::perms::none);
}

} // namespace
} // namespace listrion::settings
