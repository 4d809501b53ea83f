#include "settings/TextCatalogue.h"
#include "settings/LanguageFileCheck.h"
#include "settings/Languages.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace listrion::settings {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = LISTRION_SOURCE_DIR;

// The identifiers of the C++ files under `root` (except `skip`), with comments, string and
// character literals removed, so that a name mentioned only in a comment does not count.
std::set<std::string> identifiersIn(const fs::path& root, const fs::path& skip)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& path = entry.path();
        if (path == skip || (path.extension() != ".h" && path.extension() != ".cpp")) {
            continue;
        }
        const std::string code = test::readFile(path);
        for (std::size_t i = 0; i < code.size();) {
            const char c = code[i];
            if (code.compare(i, 2, "//") == 0) {
                i = std::min(code.find('\n', i), code.size());
            } else if (code.compare(i, 2, "/*") == 0) {
                i = std::min(code.find("*/", i + 2), code.size()) + 2;
            } else if (code.compare(i, 2, "R\"") == 0) {
                const std::size_t open = code.find('(', i);
                const std::string close = ")" + code.substr(i + 2, open - i - 2) + "\"";
                i = std::min(code.find(close, open), code.size()) + close.size();
            } else if (c == '"' || c == '\'') {
                for (++i; i < code.size() && code[i] != c; ++i) {
                    i += code[i] == '\\' ? 1 : 0;
                }
                ++i;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                const std::size_t start = i;
                while (i < code.size() &&
                       (std::isalnum(static_cast<unsigned char>(code[i])) || code[i] == '_')) {
                    ++i;
                }
                names.insert(code.substr(start, i - start));
            } else {
                ++i;
            }
        }
    }
    return names;
}

// That every shipped file holds every text is checked by the command line's check-language.
TEST(TextCatalogue, EveryShippedLanguageFileIsInTheLanguageMenu)
{
    int files = 0;
    for (const auto& entry : fs::directory_iterator(kSourceDir / "data")) {
        if (entry.path().extension() == ".lng") {
            ++files;
            EXPECT_NE(Languages::byFile(entry.path().filename().string()), nullptr)
                << entry.path() << " is not a file of the language menu";
        }
    }
    EXPECT_GE(files, 1);
}

TEST(TextCatalogue, EveryDeclaredTextIsUsedByTheProgram)
{
    const std::set<std::string> used =
        identifiersIn(kSourceDir / "src", kSourceDir / "src" / "settings" / "TextCatalogue.h");
    ASSERT_TRUE(used.contains("LanguageFile")); // the scan sees the sources
    for (const Texts::Entry& entry : Texts::kAll) {
        EXPECT_TRUE(used.contains(std::string(entry.name)))
            << "Texts::" << entry.name << " (" << entry.key.section << "/" << entry.key.key
            << ") is declared but never looked up";
    }
}

TEST(LanguageFileCheck, ReportsWhatATranslatorMustFix)
{
    test::TempFolder temp;
    const auto reference =
        temp.write("English.lng", "[Main]\n60=Save?\n64=Undone.\n[EPG]\n10=\"Clear \"\n");
    const auto french = temp.write(
        "French.lng", "[main]\n60=Enregistrer ?\n60=encore\n64=\n65=extra\n[EPG]\n10=\"\"\n"
                      "11=100% s%C3%BBr\n12=" +
                          std::string(255, 'x') + "\n13=\xE9t\xE9\n");
    const std::vector<TextKey> required = {{"Main", 60}, {"Work", 2}};
    const std::vector<std::string> problems = LanguageFileCheck::run(french, reference, required);
    const std::vector<std::string> expected = {
        "French.lng: main/60 (line 3) appears twice; only the first one counts",
        "French.lng: main/64 (line 4) is empty",
        "French.lng: main/65 (line 5) is not in English.lng",
        "French.lng: EPG/10 (line 7) is empty",
        "French.lng: EPG/11 (line 8) is not in English.lng",
        "French.lng: EPG/11 (line 8) has a % without two hexadecimal digits (write % as %25)",
        "French.lng: EPG/12 (line 9) is not in English.lng",
        "French.lng: EPG/12 (line 9) is 255 bytes long; the program cuts it to 254",
        "French.lng: EPG/13 (line 10) is not in English.lng",
        "French.lng: EPG/13 (line 10) is not UTF-8 (check the file's encoding and the escapes)",
        "French.lng: Work/2 is missing (the program uses it)",
    };
    EXPECT_EQ(problems, expected);

    // The German file is windows-1250 shown as written: escapes and UTF-8 are the mistakes.
    const auto german = temp.write("Germany.lng", "[Main]\n60=Speichern? \xE4\n"
                                                  "64=R\xC3\xBC"
                                                  "ckg\xC3\xA4ngig\n[EPG]\n10=L%C3%B6schen\n");
    EXPECT_EQ(LanguageFileCheck::run(german, reference, {}),
              (std::vector<std::string>{
                  "Germany.lng: Main/64 (line 3) looks like UTF-8; this file must be windows-1250",
                  "Germany.lng: EPG/10 (line 5) has a %XX escape, which this file shows as "
                  "written"}));
    EXPECT_EQ(LanguageFileCheck::run(temp.file("Czech.lng"), reference, {}),
              std::vector<std::string>{"Czech.lng: cannot be read"});
    EXPECT_EQ(LanguageFileCheck::run(reference, reference, required),
              std::vector<std::string>{"English.lng: Work/2 is missing (the program uses it)"});
}

} // namespace
} // namespace listrion::settings
