#include "editing/GroupGridModel.h"

namespace listrion::editing {
namespace {

enum StoreColumn { kIzberi, kGrupa, kType, kCount, kBroj };

} // namespace

GroupGridModel::GroupGridModel(store::Database& db, QObject* parent)
    : StoreGridModel(db, "Grupa", kRowSql, {kIzberi, kGrupa, kType, kCount}, parent)
{
    setHeaders({QStringLiteral("sel."), QStringLiteral("Group name"), QStringLiteral("Type"),
                QStringLiteral("Streams")});
}

std::vector<std::int64_t> GroupGridModel::readRowIds() const
{
    store::Statement st = database().prepare(kRowIdSql);
    return RowPages::readIds(st);
}

void GroupGridModel::readExtras()
{
    m_totalChannels = database().scalarInt("SELECT count(*) FROM Playlist", 0);
}

std::string GroupGridModel::grupa(int row) const
{
    const store::Value v = value(row, kGrupa);
    const auto* name = std::get_if<std::string>(&v);
    return name ? *name : std::string();
}

std::int64_t GroupGridModel::broj(int row) const
{
    const store::Value v = value(row, kBroj);
    const auto* number = std::get_if<std::int64_t>(&v);
    return number ? *number : 0;
}

int GroupGridModel::rowOfGroup(const std::string& name) const
{
    try {
        store::Statement st = database().prepare("SELECT rowid FROM Grupa WHERE grupa = ? "
                                                 "ORDER BY type, broj, rowid LIMIT 1");
        st.bind(1, name);
        return st.step() ? rowOfId(st.columnInt(0)) : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace listrion::editing
