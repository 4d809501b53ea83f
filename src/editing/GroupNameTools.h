#pragma once

#include "editing/GroupCommands.h"
#include "store/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace listrion::editing {

// The group editor's text tools on group names. A tool computes the new name of every group it
// works on; the group rows and all their channels then carry the new names. When new names make
// two groups one (compared as the store compares names), the groups merge: one row remains,
// with every channel of both, its count recounted, and the channels numbered afresh.

enum class GroupNameTool {
    Prefix,     // text + " " + name, ticked groups only
    Suffix,     // name + " " + text, ticked groups only
    Strip,      // prefixes and bracketed tags removed
    Replace,    // every occurrence of text replaced by replacement (case-sensitive)
    Capitalize, // proper case, country codes and the token repairs
    Upper,      // upper case
};

struct GroupNameEdit {
    GroupNameTool tool = GroupNameTool::Upper;
    std::string text;        // prefix, suffix or the text to find
    std::string replacement; // Replace only
};

// The new names for `names` (in the order of the group grid), one per name; a name the tool
// leaves alone comes back as it was. Pure text work, no store.
std::vector<std::string> editedGroupNames(const std::vector<std::string>& names,
                                          const GroupNameEdit& edit);

// The four passes of the strip tool over all names: text after '|'; a parenthesised part
// removed; text right of ':'; a square-bracketed part removed. A pass changes a name only when
// the result is not empty. The fourth pass runs only when neither the second nor the third met
// a name with its separators.
std::vector<std::string> strippedGroupNames(std::vector<std::string> names);

struct GroupRenamePlan {
    struct Rename {
        std::int64_t rowid = 0;
        std::string from;
        std::string to;
        bool merges = false; // the row goes; its channels join the group named `to`
    };
    struct Merge {
        std::string into;              // the name of the row that remains
        std::vector<std::string> from; // the groups whose rows go
    };
    std::vector<Rename> renames; // every group row whose name changes
    std::vector<Merge> merges;
};

// What the edit would do to the store, without changing it. Prefix and suffix with no ticked
// group and a new name longer than kMaxTextLength are refused.
GroupRenamePlan planGroupNameEdit(const store::Database& db, const GroupNameEdit& edit);

struct GroupNamesChanged {
    std::int64_t groups = 0;   // group rows renamed (merged rows included)
    std::int64_t channels = 0; // channels whose group name changed
    std::int64_t merged = 0;   // group rows that merged into another and went
};

// Applies the edit in one transaction. With merges to make and OnMerge::Refuse it is refused
// with NeedsMerge and nothing changes.
GroupNamesChanged applyGroupNameEdit(store::Database& db, const GroupNameEdit& edit,
                                     OnMerge onMerge);

} // namespace listrion::editing
