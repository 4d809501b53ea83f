#include "store/SelectedSteps.h"

#include "store/OrderingError.h"
#include "store/PositionCounter.h"
#include "store/PositionRows.h"
#include "store/Transaction.h"

#include <string>

namespace listrion::store {
namespace {

PositionRows groupChannels(Database& db, std::string_view grupa)
{
    Statement query = db.prepare("SELECT rowid, broj, izberi FROM Playlist WHERE grupa = ?");
    query.bind(1, grupa);
    return PositionRows::read(query);
}

void stepUp(PositionRows& rows, SelectedStep& result)
{
    const std::vector<std::size_t> walk = rows.byPosition();
    const std::int64_t first = rows[walk.front()].broj;
    for (std::size_t pos = 0; pos < walk.size(); ++pos) {
        const std::size_t row = walk[pos];
        const std::int64_t b = rows[row].broj;
        if (!rows[row].selected || b <= first) {
            continue;
        }
        if (!result.rememberedRow || *result.rememberedRow == 0) {
            result.rememberedRow = static_cast<std::int64_t>(pos) - 1;
        }
        const std::int64_t above = PositionRange::int32().add(b, -1);
        const std::optional<std::size_t> neighbour = rows.findFirst(above);
        if (!neighbour) {
            throw OrderingError(OrderingError::Kind::MissingRow,
                                "no channel of the group at position " + std::to_string(above));
        }
        rows.setBroj(*neighbour, b);
        rows.setBroj(row, above);
        ++result.moved;
    }
}

void stepDown(PositionRows& rows, SelectedStep& result)
{
    const std::int64_t last = rows[rows.size() - 1].broj; // the last row in store order
    std::vector<std::size_t> walk = rows.byPosition();
    const auto count = static_cast<std::int64_t>(walk.size());
    std::int64_t walked = 0;
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
        ++walked;
        const std::size_t row = *it;
        const std::int64_t b = rows[row].broj;
        if (!rows[row].selected || b >= last) {
            continue;
        }
        if (!result.rememberedRow) {
            result.rememberedRow = count - walked + 1;
        }
        const std::int64_t below = PositionRange::int32().add(b, 1);
        const std::optional<std::size_t> neighbour = rows.findFirst(below);
        if (!neighbour) {
            continue;
        }
        rows.setBroj(*neighbour, b);
        rows.setBroj(row, below);
        ++result.moved;
    }
}

template <typename Step> SelectedStep runStep(Database& db, std::string_view grupa, Step step)
{
    Transaction tx(db);
    PositionRows rows = groupChannels(db, grupa);
    SelectedStep result;
    if (rows.empty()) {
        return result;
    }
    step(rows, result);
    result.renumbered = rows.write(db, "Playlist");
    tx.commit();
    return result;
}

} // namespace

SelectedStep Pozicija_Nova_Gore_Sve(Database& db, std::string_view grupa)
{
    return runStep(db, grupa, stepUp);
}

SelectedStep Pozicija_Nova_Dole_Sve(Database& db, std::string_view grupa)
{
    return runStep(db, grupa, stepDown);
}

} // namespace listrion::store
