#pragma once

#include "store/Database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace listrion::editing {

// The channel editor's text tools on channel names and tvg-names, for the channels of one group
// or of every group.

enum class ChannelNameTool {
    Prefix,     // text + " " + name, ticked channels only
    Suffix,     // name + " " + text, ticked channels only
    Strip,      // the four stripping rules on the name; the result becomes name and tvg-name
    Replace,    // every occurrence of text replaced (case-sensitive)
    Capitalize, // proper case, country codes by the name, the channel token repairs
    Upper,      // upper case
};

struct ChannelNameEdit {
    ChannelNameTool tool = ChannelNameTool::Upper;
    std::string text;
    std::string replacement;
    // Which texts Prefix, Suffix and Replace change; the other tools change both.
    bool names = true;
    bool tvgNames = false;
};

// The new name and tvg-name of one channel. A result that would be empty leaves the text.
std::pair<std::string, std::string>
editedChannelNames(std::string_view name, std::string_view tvgname, const ChannelNameEdit& edit);

// The new name and tvg-name of one channel from its current ones.
using ChannelNamesRewrite =
    std::function<std::pair<std::string, std::string>(std::string_view, std::string_view)>;

// Rewrites the name and tvg-name of the channels `where` selects (" WHERE ...", its values bound
// by `bind`) in one statement, writing only the channels whose texts change and telling the
// history each one's old texts. Runs in the caller's transaction; returns the channels changed.
std::int64_t rewriteChannelNames(store::Database& db, const ChannelNamesRewrite& rewrite,
                                 const std::string& where,
                                 const std::function<void(store::Statement&)>& bind = {});

// Applies the edit to the channels of `grupa` (nothing: every channel) in one statement; only
// the channels whose texts change are written. Prefix and suffix work on the ticked channels
// and clear every tick afterwards; with neither text chosen, or nothing ticked, they are
// refused. Returns the number of channels changed.
std::int64_t applyChannelNameEdit(store::Database& db, const ChannelNameEdit& edit,
                                  const std::optional<std::string>& grupa);

} // namespace listrion::editing
