#include "store/ChannelNumbering.h"

#include "store/NumberWriter.h"
#include "store/OrderingError.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace listrion::store {
namespace {

// Group names in position order (up to `lastGroup`, when given); a row without a name matches
// no channel and is left out.
std::vector<std::string> groupNamesByPosition(const Database& db,
                                              std::optional<std::int64_t> lastGroup = {})
{
    std::vector<std::string> names;
    Statement st = db.prepare("SELECT grupa FROM Grupa WHERE grupa IS NOT NULL AND "
                              "(?1 IS NULL OR broj <= ?1) ORDER BY broj, rowid");
    lastGroup ? st.bind(1, *lastGroup) : st.bindNull(1);
    while (st.step()) {
        names.push_back(st.columnText(0));
    }
    return names;
}

std::int64_t channelCount(const Database& db, std::string_view grupa)
{
    return db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", 0, grupa);
}

// Numbers the channels of `groups`, in that order, from `first`.
LeadingGroupsRenumbered renumberGroups(Database& db, const std::vector<std::string>& groups,
                                       std::int64_t first)
{
    std::vector<std::string> keys;
    keys.reserve(groups.size());
    std::unordered_map<std::string, std::size_t> lastPass;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        keys.push_back(foldKey(groups[i]));
        lastPass[keys.back()] = i;
    }
    Statement channels =
        db.prepare("SELECT rowid, broj FROM Playlist WHERE grupa = ? ORDER BY broj, rowid");
    NumberWriter writer(db, "Playlist");
    PositionCounter counter(first);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (lastPass[keys[i]] != i) {
            // An earlier pass over a name that is listed again: its numbers are overwritten
            // by the later pass, only the running number moves on.
            counter.skip(channelCount(db, groups[i]));
            continue;
        }
        channels.bind(1, groups[i]);
        writer.numberRows(channels, counter);
    }
    LeadingGroupsRenumbered result;
    result.written = writer.write();
    result.next = counter.upcoming();
    return result;
}

} // namespace

std::int64_t Zapisi_Nove_Brojeve(Database& db, std::int64_t first)
{
    Transaction tx(db);
    const std::int64_t written = renumberGroups(db, groupNamesByPosition(db), first).written;
    tx.commit();
    return written;
}

LeadingGroupsRenumbered renumberLeadingGroups(Database& db, std::int64_t first,
                                              std::int64_t lastGroup)
{
    Transaction tx(db);
    const LeadingGroupsRenumbered result =
        renumberGroups(db, groupNamesByPosition(db, lastGroup), first);
    tx.commit();
    return result;
}

ChannelsRenumbered Zapisi_Nove_Brojeve_Channels(Database& db, std::string_view grupa,
                                                std::int64_t start)
{
    Transaction tx(db);
    ChannelsRenumbered result;
    result.count = channelCount(db, grupa);
    if (result.count > 0) {
        Statement channels =
            db.prepare("SELECT rowid, broj FROM Playlist WHERE grupa = ? ORDER BY broj, rowid");
        channels.bind(1, grupa);
        PositionCounter counter(PositionRange::int32().checked(start));
        NumberWriter writer(db, "Playlist");
        writer.numberRows(channels, counter);
        result.written = writer.write();
    }
    Statement update = db.prepare(
        "UPDATE Grupa SET count = ?1 WHERE rowid = (SELECT rowid FROM Grupa WHERE grupa = ?2 "
        "ORDER BY rowid LIMIT 1) AND count IS NOT ?1");
    update.bindAll(result.count, grupa);
    update.run();
    result.written += db.changes();
    tx.commit();
    return result;
}

std::int64_t Zapisi_Nove_Brojeve_Channels_Sort_By_Name(Database& db,
                                                       std::optional<std::string_view> grupa)
{
    Transaction tx(db);
    NumberWriter writer(db, "Playlist");
    if (grupa) {
        Statement lowest = db.prepare("SELECT min(broj), count(*) FROM Playlist WHERE grupa = ?");
        lowest.bind(1, *grupa);
        lowest.step();
        if (lowest.columnInt(1) == 0) {
            return 0;
        }
        if (lowest.isNull(0)) {
            throw OrderingError(OrderingError::Kind::NoPosition,
                                "no channel of the group has a position");
        }
        PositionCounter counter(lowest.columnInt(0));
        lowest.reset();
        Statement channels =
            db.prepare("SELECT rowid, broj FROM Playlist WHERE grupa = ? ORDER BY name, rowid");
        channels.bind(1, *grupa);
        writer.numberRows(channels, counter);
    } else {
        PositionCounter counter(1);
        Statement channels =
            db.prepare("SELECT rowid, broj FROM Playlist ORDER BY grupa, name, rowid");
        writer.numberRows(channels, counter);
    }
    const std::int64_t written = writer.write();
    tx.commit();
    return written;
}

} // namespace listrion::store
