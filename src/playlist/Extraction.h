#pragma once

#include "playlist/ExtinfLine.h"
#include "playlist/ValueDecoder.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace listrion::playlist {

// The values of an #EXTINF: line, as the reader keeps them for the pending entry (UTF-8).
// A missing key, or a missing closing quote, gives the empty text. The main reader and the
// merge reader share them.

// "group-title=" (any case), cleaned and region-decoded.
std::string GetGroupTitle(const ExtinfLine& line, const ValueDecoder& decoder);

// The value of `tvg-name="` (exact case), or when that is missing or empty the text after the
// last of the first four commas (the whole line without a comma); cut before the first scheme
// of kStreamSchemes that occurs in it, tried in that order; cleaned and region-decoded.
std::string GetChannelName(const ExtinfLine& line, const ValueDecoder& decoder);
// As GetChannelName, but the byte D8 is kept.
std::string GetChannelName2(const ExtinfLine& line, const ValueDecoder& decoder);

// "tvg-name=" (any case), cleaned and region-decoded.
std::string GetTvgName(const ExtinfLine& line, const ValueDecoder& decoder);
// "tvg-id=" (any case) with the tvg-id clean-up; never region-decoded.
std::string GetTvgId(const ExtinfLine& line, const ValueDecoder& decoder);
// "tvg-logo=" (exact case); never region-decoded.
std::string GetTvgLogo(const ExtinfLine& line, const ValueDecoder& decoder);

// "parent-code=" (any case): the value without surrounding blanks when it is an optional sign
// and digits within the 16-bit range; 0 otherwise.
std::int16_t GetParentCode(const ExtinfLine& line);

// "Radio" when "radio=" (any case) occurs in the line, otherwise the empty text.
std::string_view GetRadioMark(const ExtinfLine& line);

// The same values into `out`, reusing its storage (the reading loop's form).
void GetGroupTitle(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);
void GetChannelName(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);
void GetChannelName2(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);
void GetTvgName(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);
void GetTvgId(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);
void GetTvgLogo(const ExtinfLine& line, const ValueDecoder& decoder, std::string& out);

// The comma rule of GetChannelName on its own (bytes of the line).
std::string_view nameAfterCommas(std::string_view line);

} // namespace listrion::playlist
