#pragma once

#include "settings/TextSource.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace listrion::settings {

// What a translator must fix in a language file, measured against the reference file
// (English.lng) and the keys the program looks up: keys missing or not in the reference,
// empty or duplicate texts, texts the reader would cut, and texts that will not show as
// meant in the file's encoding (UTF-8 with %XX escapes, or windows-1250 as written for the
// raw language's file).
class LanguageFileCheck {
public:
    // One line per problem, "File.lng: Section/key ..."; empty when the file is fine.
    static std::vector<std::string> run(const std::filesystem::path& file,
                                        const std::filesystem::path& reference,
                                        std::span<const TextKey> required);
};

} // namespace listrion::settings
