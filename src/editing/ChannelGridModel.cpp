#include "editing/ChannelGridModel.h"

#include "store/Schema.h"

namespace listrion::editing {
namespace {

enum StoreColumn { kIzberi, kGrupa, kName, kTvgName, kTvgId, kLink, kLogo, kBroj, kType };

} // namespace

ChannelGridModel::ChannelGridModel(store::Database& db, QObject* parent)
    : StoreGridModel(db, "Playlist", kRowSql,
                     {kIzberi, kName, kTvgName, kTvgId, kLink, kLogo, kType}, parent)
{
    // The name and tvg-name captions are language texts: the window sets them.
    setHeaders({QStringLiteral("sel."), QString(), QString(), QStringLiteral("EPG ID"),
                QStringLiteral("Link"), QStringLiteral("Logo"), QStringLiteral("type")});
}

void ChannelGridModel::showGroup(const std::string& name)
{
    m_group = name;
    reload();
}

void ChannelGridModel::showGroupByPosition(const std::string& name)
{
    m_group = name;
    m_byName = false;
    reload();
}

void ChannelGridModel::showAll()
{
    m_group.reset();
    reload();
}

void ChannelGridModel::setOrderByName(bool byName)
{
    m_byName = byName;
    reload();
}

void ChannelGridModel::sort(int column, Qt::SortOrder)
{
    setOrderByName(column == kNameColumn);
}

std::vector<std::int64_t> ChannelGridModel::readRowIds() const
{
    if (!m_byName) {
        store::Statement st = database().prepare(m_group ? kGroupByPositionSql : kAllByPositionSql);
        if (m_group) {
            st.bind(1, *m_group);
        }
        return RowPages::readIds(st);
    }
    store::Statement st = database().prepare(m_group ? kGroupNamesSql : kAllNamesSql);
    if (m_group) {
        st.bind(1, *m_group);
    }
    return RowPages::readIdsByName(st);
}

void ChannelGridModel::readExtras()
{
    m_hasParentCode =
        m_group && database().scalarInt(std::string("SELECT EXISTS (SELECT 1 FROM Playlist "
                                                    "WHERE grupa = ? AND ") +
                                            std::string(store::Schema::kHasParentCode) + ")",
                                        0, *m_group) != 0;
}

std::string ChannelGridModel::grupa(int row) const
{
    const store::Value v = value(row, kGrupa);
    const auto* name = std::get_if<std::string>(&v);
    return name ? *name : std::string();
}

std::string ChannelGridModel::name(int row) const
{
    const store::Value v = value(row, kName);
    const auto* name = std::get_if<std::string>(&v);
    return name ? *name : std::string();
}

std::int64_t ChannelGridModel::broj(int row) const
{
    const store::Value v = value(row, kBroj);
    const auto* number = std::get_if<std::int64_t>(&v);
    return number ? *number : 0;
}

int ChannelGridModel::rowOfBroj(std::int64_t broj) const
{
    try {
        store::Statement st = database().prepare(
            "SELECT rowid FROM Playlist WHERE broj = ?1 AND (?2 IS NULL OR grupa = ?2) LIMIT 1");
        st.bind(1, broj);
        if (m_group) {
            st.bind(2, *m_group);
        } else {
            st.bindNull(2);
        }
        return st.step() ? rowOfId(st.columnInt(0)) : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace listrion::editing
