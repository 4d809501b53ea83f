#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace listrion::playlist {

// Small text helpers shared by the editors and the restructuring tool.
namespace Funkcije {

bool fileExists(const std::filesystem::path& path);

// The part of `text` before the first `separator` (side "L", "LEFT" or "LEVO", any case), or the
// part after it with every later separator dropped (side "D", "RIGHT" or "DESNO"). Another side,
// or a text without the separator, gives the empty text.
std::string partBeside(std::string_view text, char separator, std::string_view side);

// For a text that begins with "[" (or "(") and has a "]" (or ")") later: the part after that
// closing bracket. Any other text comes back unchanged.
std::string withoutLeadingBracketPart(std::string_view text);

// The characters after the last path separator ('/' or '\'); the whole text when it has none.
std::string fileNameOfPath(std::string_view path);

bool containsColon(std::string_view text);
bool containsPipe(std::string_view text);
bool containsOpenBracket(std::string_view text);
bool containsCloseBracket(std::string_view text);
bool containsOpenParenthesis(std::string_view text);
bool containsCloseParenthesis(std::string_view text);

} // namespace Funkcije
} // namespace listrion::playlist
