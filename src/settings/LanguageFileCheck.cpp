#include "settings/LanguageFileCheck.h"

#include "settings/IniDocument.h"
#include "settings/Languages.h"
#include "text/Utf8Decoding.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>

namespace listrion::settings {
namespace {

// Section and key as the reader matches them: letter case ignored.
std::string lookupKey(std::string_view section, std::string_view key)
{
    std::string out = std::string(section) + "/" + std::string(key);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool hasBrokenEscape(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' &&
            (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2]))) {
            return true;
        }
    }
    return false;
}

bool hasEscape(std::string_view text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == '%' && isHexDigit(text[i + 1]) && isHexDigit(text[i + 2])) {
            return true;
        }
    }
    return false;
}

bool hasHighBytes(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Problems of one text, whatever the rest of the file holds.
void checkText(std::string_view value, bool raw, const std::string& where,
               std::vector<std::string>& problems)
{
    if (value.empty()) {
        problems.push_back(where + " is empty");
        return;
    }
    if (value.size() > IniDocument::kMaxValueLength) {
        problems.push_back(where + " is " + std::to_string(value.size()) +
                           " bytes long; the program cuts it to 254");
    }
    if (raw) {
        if (hasEscape(value)) {
            problems.push_back(where + " has a %XX escape, which this file shows as written");
        }
        if (hasHighBytes(value) && text::isWellFormedUtf8(value)) {
            problems.push_back(where + " looks like UTF-8; this file must be windows-1250");
        }
        return;
    }
    if (hasBrokenEscape(value)) {
        problems.push_back(where + " has a % without two hexadecimal digits (write % as %25)");
    }
    if (!text::isWellFormedUtf8(text::percentDecode(value))) {
        problems.push_back(where + " is not UTF-8 (check the file's encoding and the escapes)");
    }
}

} // namespace

std::vector<std::string> LanguageFileCheck::run(const std::filesystem::path& file,
                                                const std::filesystem::path& reference,
                                                std::span<const TextKey> required)
{
    const std::string name = file.filename().string();
    std::vector<std::string> problems;
    if (!std::ifstream(file, std::ios::binary)) {
        return {name + ": cannot be read"};
    }
    const Language* language = Languages::byFile(name);
    const bool raw = language != nullptr && language->raw;

    const std::vector<IniDocument::Entry> referenceEntries = IniDocument::load(reference).entries();
    std::set<std::string> referenceKeys;
    for (const IniDocument::Entry& e : referenceEntries) {
        referenceKeys.insert(lookupKey(e.section, e.key));
    }
    const IniDocument document = IniDocument::load(file);
    std::set<std::string> seen;
    for (const IniDocument::Entry& e : document.entries()) {
        const std::string where =
            name + ": " + e.section + "/" + e.key + " (line " + std::to_string(e.line) + ")";
        if (!seen.insert(lookupKey(e.section, e.key)).second) {
            problems.push_back(where + " appears twice; only the first one counts");
            continue;
        }
        if (!referenceKeys.contains(lookupKey(e.section, e.key))) {
            problems.push_back(where + " is not in " + reference.filename().string());
        }
        checkText(IniDocument::unquote(e.text), raw, where, problems);
    }
    for (const IniDocument::Entry& e : referenceEntries) {
        if (!seen.contains(lookupKey(e.section, e.key))) {
            problems.push_back(name + ": " + e.section + "/" + e.key + " is missing");
            seen.insert(lookupKey(e.section, e.key)); // report it once
        }
    }
    for (const TextKey& key : required) {
        const std::string number = std::to_string(key.key);
        if (!seen.contains(lookupKey(key.section, number))) {
            problems.push_back(name + ": " + std::string(key.section) + "/" + number +
                               " is missing (the program uses it)");
        }
    }
    return problems;
}

} // namespace listrion::settings
