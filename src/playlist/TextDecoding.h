#pragma once

#include "playlist/Codepage.h"
#include "text/Utf8Decoding.h"

#include <string>
#include <string_view>

namespace listrion::playlist {

// The decoding applied to names, tvg-names and groups under the "Balkan" and "Central European"
// regions and to every language-file text.

// decodePercentUtf8 and Utf8BytesToText are shared with the language files.
using text::decodePercentUtf8;
using text::Utf8BytesToText;

// `text` is UTF-8 whose characters stand for bytes of `codepage`: turns it back into those
// bytes, then decodePercentUtf8.
std::string DecodeUtf8Text(std::string_view text, const Codepage& codepage);

// Replaces č ć š ž đ Č Ć Š Ž Đ by c c s z d C C S Z D; every other character stays.
std::string FoldDiacritics(std::string_view text);
void foldDiacriticsInPlace(std::string& text);

// True when `bytes` is UTF-8 without ill-formed sequences.
bool isWellFormedUtf8(std::string_view bytes);

} // namespace listrion::playlist
