// The regional restructuring's commands, and its passes over the channel names.
#include "tools/Restructuring.h"

#include "editing/ChannelNameTools.h"
#include "editing/NameText.h"
#include "store/ChangeLog.h"
#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/NamedBackups.h"
#include "store/SqlFunction.h"
#include "store/Transaction.h"

namespace listrion::tools {
namespace {

using editing::NameText::withoutLeadingBlanks;
using editing::NameText::withoutOuterBlanks;

// Text after the first `close` of a name that begins with `open` and holds `close`.
std::string afterLeadingBracket(std::string_view name, char open, char close)
{
    const std::size_t end = name.find(close);
    return !name.empty() && name.front() == open && end != std::string_view::npos
               ? std::string(name.substr(end + 1))
               : std::string();
}

// Every group's count is its number of channels, 0 for a group left without channels.
void recount(store::Database& db)
{
    store::Zapisi_Stevilo_Grupa(db);
    db.exec("UPDATE Grupa SET count = 0 WHERE ifnull(count, -1) <> 0 AND NOT EXISTS "
            "(SELECT 1 FROM Playlist WHERE Playlist.grupa = Grupa.grupa)");
}

// The channels in the groups' order again, so each group's channels hold one range, and the
// counts right.
void settle(store::Database& db)
{
    store::Zapisi_Nove_Brojeve(db);
    recount(db);
}

} // namespace

std::optional<std::string> Odstrani_Prvi_Parameter(std::string_view original)
{
    std::string name(original);
    bool changed = false;
    // A rule that leaves no text (or only blanks) leaves the name as it is.
    auto take = [&](const std::string& rest) {
        std::string text = withoutLeadingBlanks(rest);
        if (!text.empty() && !withoutOuterBlanks(text).empty()) {
            name = std::move(text);
            changed = true;
        }
    };
    if (const std::size_t bar = name.rfind('|'); bar != std::string::npos) {
        take(name.substr(bar + 1));
    }
    take(afterLeadingBracket(name, '(', ')'));
    if (name.find(':') != std::string::npos) {
        take(editing::NameText::afterColon(name));
    }
    take(afterLeadingBracket(name, '[', ']'));
    return changed ? std::optional<std::string>(std::move(name)) : std::nullopt;
}

std::pair<std::string, std::string> Capitalize_Text(std::string_view name, std::string_view tvgname)
{
    return editing::editedChannelNames(name, tvgname,
                                       {editing::ChannelNameTool::Capitalize, {}, {}, true, true});
}

std::int64_t tidyChannelNames(store::Database& db)
{
    return editing::rewriteChannelNames(
        db,
        [](std::string_view name, std::string_view tvg) {
            const std::optional<std::string> stripped = Odstrani_Prvi_Parameter(name);
            return stripped ? Capitalize_Text(*stripped, *stripped) : Capitalize_Text(name, tvg);
        },
        " WHERE 1");
}

RestructuringResult restructure(store::Database& db, const RestructuringRules& rules)
{
    RestructuringResult result;
    store::Transaction tx(db);
    result.channelsDeleted = Izbrisi_Skupine(db, rules.chosen);
    result.groupsAdded = Kreiraj_Nove_Skupine(db, rules.newGroups);
    store::Zapisi_Nove_Brojeve_Grupa(db);
    result.groupsRenamed = renameGroups(db, rules.renames);
    result.channelsMoved = Popravi_Grupe(db, rules.channelRules);
    Odredi_Brojeve_Skupina(db);
    settle(db);
    result.backup = store::Naredi_Backup(db).playlistTable;
    result.namesTidied = tidyChannelNames(db);
    tx.commit();
    return result;
}

std::int64_t applyChannelRules(store::Database& db, const RestructuringRules& rules)
{
    store::Transaction tx(db);
    const std::int64_t moved = Popravi_Grupe(db, rules.channelRules);
    if (moved > 0) {
        settle(db);
    }
    tx.commit();
    return moved;
}

std::pair<std::int64_t, std::int64_t> renameAndAddGroups(store::Database& db,
                                                         const RestructuringRules& rules)
{
    store::Transaction tx(db);
    const std::int64_t renamed = renameGroups(db, rules.renames);
    const std::int64_t added = Kreiraj_Nove_Skupine(db, rules.newGroups);
    if (renamed > 0) {
        // A group that joined another left a gap in the positions.
        store::renumberGroupsByPosition(db);
        settle(db);
    }
    tx.commit();
    return {renamed, added};
}

} // namespace listrion::tools
