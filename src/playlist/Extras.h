#pragma once

#include "playlist/ExtinfLine.h"

#include <optional>
#include <string>
#include <string_view>

namespace listrion::playlist {

// The extras of a channel or of a playlist: what a playlist file says beyond the store's
// columns, kept in the extras column so that saving can write it back. A channel's extras are
// the attributes of its #EXTINF: line that go into no column, then each option line that stood
// between that line and the address (#EXTVLCOPT:, #KODIPROP:, #EXTGRP:, any line beginning with
// '#'), then, when the address line gave no link (a scheme the reader does not know, such as
// rtmp://), that line itself; all separated by LF. A playlist's extras are the attributes of its
// #EXTM3U header but x-tvg-url.
// An attribute is kept as written, key="value" or key=value; attributes are separated by one
// space. The reader collects the file's bytes; the store holds them as text like every value.
namespace Extras {

// Appends the attributes of an #EXTINF: line that the reader takes into no column: all but
// the group-title, tvg-name, tvg-id, tvg-logo and parent-code it found (ExtinfLine), in their
// order. Words without '=' are no attributes. Nothing is appended unless the attributes end at
// the comma before the name: a line without that comma, or with a quote that does not close,
// keeps none. `linkStart` is where the address the reader found in the line begins (npos for
// none): the link holds the rest of the line, so the attributes from there on are not kept.
void appendKeptAttributes(const ExtinfLine& line, std::size_t linkStart, std::string& out);

// True for the #EXTM3U header line (any letter case, after leading spaces).
bool isHeaderLine(std::string_view line);
// Appends the attributes of a header line other than x-tvg-url (the writer writes the guide's
// address from SS_Epg). An attribute whose quote does not close ends the list.
void appendHeaderAttributes(std::string_view line, std::string& out);

// A channel's extras split for writing.
struct Parts {
    std::string_view attributes;  // go before the comma of the #EXTINF: line
    std::string_view optionLines; // LF-separated; go between the #EXTINF: line and the address
    std::string_view addressLine; // written as the address when the link is empty
};
Parts split(std::string_view extras);

// Calls `f` with each line of Parts::optionLines, in order.
template <typename F> void forEachOptionLine(std::string_view optionLines, F f)
{
    while (!optionLines.empty()) {
        const std::size_t lf = optionLines.find('\n');
        f(optionLines.substr(0, lf));
        optionLines =
            lf == std::string_view::npos ? std::string_view() : optionLines.substr(lf + 1);
    }
}

// The value of the first attribute named `lowerKey` (any letter case), without its quotes.
std::optional<std::string_view> attributeValue(std::string_view attributes,
                                               std::string_view lowerKey);

} // namespace Extras
} // namespace listrion::playlist
