#include "editing/ParentalCodes.h"

#include "editing/ChannelEntry.h"
#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <algorithm>

namespace listrion::editing {
namespace {

std::string existingGroup(const store::Database& db, const std::string& grupa)
{
    const std::optional<std::string> stored = storedGroupName(db, grupa);
    if (!stored) {
        throw EditRefused(EditRefused::Reason::NoSuchGroup, "there is no group '" + grupa + "'");
    }
    return *stored;
}

} // namespace

ChannelProblem checkGroupParentCode(std::string_view code)
{
    // A group's code is never "no code": an empty answer is refused, "0" is too short.
    return code.empty() ? ChannelProblem::CodeNotNumeric : checkCodeDigits(code);
}

std::int64_t setGroupParentCode(store::Database& db, const std::string& grupa,
                                const std::string& code)
{
    const ChannelProblem problem = checkGroupParentCode(code);
    if (problem != ChannelProblem::None) {
        throw EditRefused(EditRefused::Reason::BadCode, describe(problem));
    }
    store::Transaction tx(db);
    const std::string group = existingGroup(db, grupa);
    db.prepare("UPDATE Playlist SET parent_code = ? WHERE grupa = ?").bindAll(code, group).run();
    const std::int64_t channels = db.changes();
    tx.commit();
    return channels;
}

bool removeGroupParentCode(store::Database& db, const std::string& grupa)
{
    store::Transaction tx(db);
    const std::string group = existingGroup(db, grupa);
    if (!groupParentCode(db, group)) {
        return false;
    }
    db.prepare("UPDATE Playlist SET parent_code = '' WHERE grupa = ?").bindAll(group).run();
    tx.commit();
    return true;
}

std::optional<std::string> groupParentCode(const store::Database& db, const std::string& grupa)
{
    store::Statement st =
        db.prepare("SELECT parent_code FROM Playlist WHERE grupa = ? AND " +
                   std::string(store::Schema::kHasParentCode) + " ORDER BY broj, rowid LIMIT 1");
    st.bind(1, grupa);
    if (!st.step()) {
        return std::nullopt;
    }
    return st.columnText(0);
}

} // namespace listrion::editing
