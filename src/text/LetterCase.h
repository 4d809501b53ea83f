#pragma once

#include <string>
#include <string_view>

namespace listrion::text {

// Letter case of UTF-8 text by Unicode's own rules (ICU, root locale): the same result on every
// machine whatever its language. Upper case uses the full mappings (ß becomes SS); lower case
// gives a Greek capital sigma at the end of a word its final form ς.

std::string upperCase(std::string_view utf8);
std::string lowerCase(std::string_view utf8);

// The first letter of every word in title case, the other letters in lower case; words are
// separated by white space.
std::string properCase(std::string_view utf8);

} // namespace listrion::text
