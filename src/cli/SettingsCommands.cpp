// Commands on Settings.ini and the language files: text, language, settings, check-language.
#include "cli/Command.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageFileCheck.h"
#include "settings/Languages.h"
#include "settings/StartupSettings.h"
#include "settings/TextCatalogue.h"

#include <algorithm>
#include <limits>
#include <ostream>

namespace listrion::cli {
namespace {

namespace fs = std::filesystem;

// What the editor does with the program folder when it starts: install the shipped language
// files that are missing and give Settings.ini its defaults. The commands that read settings or
// texts do the same, so they see the values the editor would use.
settings::Settings preparedSettings(const Context& ctx)
{
    ctx.folder().installShippedData();
    settings::Settings settings(ctx.folder().settingsIni());
    settings::StartupSettings::apply(settings);
    return settings;
}

int text(Context& ctx, Arguments& args)
{
    const std::vector<std::string> positional = args.finish(2, 2);
    const long long key = parseInteger(positional[1], "KEY");
    const settings::Settings settings = preparedSettings(ctx);
    const settings::LanguageFile language = settings::LanguageFile::current(settings, ctx.folder());
    const std::string where = positional[0] + "/" + positional[1];
    if (key < 0 || key > std::numeric_limits<int>::max() ||
        !language.contains(positional[0], static_cast<int>(key))) {
        ctx.err() << "listrion-cli text: " << where << " is not in "
                  << language.path().filename().string()
                  << (fs::exists(language.path()) ? "" : " (the file is missing)") << '\n';
        return 1;
    }
    ctx.out() << language.text(positional[0], static_cast<int>(key)) << '\n';
    return 0;
}

int language(Context& ctx, Arguments& args)
{
    const std::vector<std::string> positional = args.finish(0, 1);
    const settings::Settings settings = preparedSettings(ctx);
    if (!positional.empty()) {
        const long long position = parseInteger(positional[0], "N");
        if (position < 1 || position > 13 ||
            settings::Languages::choose(settings, static_cast<int>(position)) == nullptr) {
            throw UsageError("N must be between 1 and 13");
        }
    }
    const int checked = settings::Languages::checkedPosition(settings);
    for (const settings::Language& l : settings::Languages::all()) {
        ctx.out() << (l.position == checked ? "* " : "  ") << l.position << '\t' << l.caption
                  << '\t' << l.file << '\t' << l.region << (l.raw ? "\traw" : "") << '\n';
    }
    ctx.out() << "file: " << settings::Languages::currentFile(settings)
              << "\nregion: " << settings.region()
              << "\ntexts: " << (settings::Languages::rawTexts(settings) ? "raw" : "decoded")
              << '\n';
    return 0;
}

int settingsCommand(Context& ctx, Arguments& args)
{
    const std::vector<std::string> positional = args.finish(3, 4);
    const std::string& action = positional[0];
    if (action == "get" && positional.size() == 3) {
        const settings::Settings settings = preparedSettings(ctx);
        ctx.out() << settings.read({positional[1], positional[2]}) << '\n';
        return 0;
    }
    if (action == "set" && positional.size() == 4) {
        const settings::Settings settings = preparedSettings(ctx);
        if (!settings.write({positional[1], positional[2]}, positional[3])) {
            ctx.err() << "listrion-cli settings: cannot write " << settings.file().string() << '\n';
            return 1;
        }
        return 0;
    }
    throw UsageError("expected 'get SECTION KEY' or 'set SECTION KEY VALUE'");
}

std::vector<fs::path> shippedLanguageFiles()
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry :
         fs::directory_iterator(settings::ProgramFolder::shippedDataFolder(), ec)) {
        if (entry.path().extension() == ".lng") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

int checkLanguage(Context& ctx, Arguments& args)
{
    const std::vector<std::string> positional = args.finish(0, 1'000);
    std::vector<fs::path> files(positional.begin(), positional.end());
    if (files.empty()) {
        files = shippedLanguageFiles();
    }
    std::vector<settings::TextKey> required;
    for (const settings::Texts::Entry& entry : settings::Texts::kAll) {
        required.push_back(entry.key);
    }
    bool clean = true;
    for (const fs::path& file : files) {
        fs::path reference = file.parent_path() / settings::Languages::kDefaultFile;
        if (!fs::exists(reference)) {
            reference =
                settings::ProgramFolder::shippedDataFolder() / settings::Languages::kDefaultFile;
        }
        const std::vector<std::string> problems =
            settings::LanguageFileCheck::run(file, reference, required);
        for (const std::string& problem : problems) {
            ctx.out() << problem << '\n';
        }
        ctx.out() << file.filename().string() << ": ";
        if (problems.empty()) {
            ctx.out() << "ok\n";
        } else {
            ctx.out() << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
        }
        clean = clean && problems.empty();
    }
    return clean ? 0 : 1;
}

} // namespace

void registerSettingsCommands(CommandRegistry& registry)
{
    registry.add({"text", "SECTION KEY", "print a text of the language in use (as Main 60)",
                  "Looks the text up in the language file named by Settings.ini (Jezik 1,\n"
                  "English.lng when empty) and prints it decoded, as the windows show it.\n"
                  "Exits with 1 when the file lacks the key.",
                  text, StoreUse::None});
    registry.add({"language", "[N]", "list the languages; with N, choose language N (1..13)",
                  "Choosing stores the language file, its menu position, its region and\n"
                  "whether its texts are used as stored, as the language menu does. The list\n"
                  "marks the entry the menu checks.",
                  language, StoreUse::None});
    registry.add({"settings", "get SECTION KEY | set SECTION KEY VALUE",
                  "read or write one entry of Settings.ini",
                  "Section and key names ignore letter case. A missing entry reads as an\n"
                  "empty line.",
                  settingsCommand, StoreUse::None});
    registry.add({"check-language", "[FILE...]",
                  "check language files for missing, empty or badly encoded texts",
                  "Compares each file with English.lng beside it (else the shipped one) and\n"
                  "with the texts the program uses. Without FILE, checks the shipped language\n"
                  "files. Prints one line per problem; exits with 1 when there is any.",
                  checkLanguage, StoreUse::None});
}

} // namespace listrion::cli
