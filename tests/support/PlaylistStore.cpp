#include "support/PlaylistStore.h"

#include "store/Schema.h"

namespace listrion::test {
namespace {

std::vector<std::string> texts(store::Statement& st)
{
    std::vector<std::string> values;
    while (st.step()) {
        values.push_back(st.columnText(0));
    }
    return values;
}

} // namespace

PlaylistStore::PlaylistStore(const std::filesystem::path& file) : db(store::Schema::open(file))
{
}

std::int64_t PlaylistStore::group(const std::string& name, std::int64_t broj,
                                  const std::string& type, bool ticked)
{
    db.prepare("INSERT INTO Grupa (izberi, grupa, type, broj) VALUES (?, ?, ?, ?)")
        .bindAll(ticked, name, type, broj)
        .run();
    return db.scalarInt("SELECT last_insert_rowid()", 0);
}

std::int64_t PlaylistStore::channel(const std::string& grupa, const std::string& name,
                                    std::int64_t broj, bool ticked, const std::string& type)
{
    db.prepare("INSERT INTO Playlist (izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, "
               "parent_code) VALUES (?, ?, ?, ?, 'ext', ?, '', ?, ?, 0)")
        .bindAll(ticked, grupa, name, name, "http://tv/" + name, broj, type)
        .run();
    return db.scalarInt("SELECT last_insert_rowid()", 0);
}

void PlaylistStore::fill(const std::vector<int>& sizes)
{
    std::int64_t broj = 0;
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        const std::string name = "G" + std::to_string(g + 1);
        group(name, static_cast<std::int64_t>(g + 1));
        for (int c = 1; c <= sizes[g]; ++c) {
            channel(name, name + "." + std::to_string(c), ++broj);
        }
    }
}

std::vector<std::string> PlaylistStore::names(const std::string& grupa) const
{
    store::Statement st =
        db.prepare("SELECT name FROM Playlist WHERE ?1 = '' OR grupa = ?1 ORDER BY broj, rowid");
    st.bind(1, grupa);
    return texts(st);
}

std::vector<std::string> PlaylistStore::groups() const
{
    store::Statement st = db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    return texts(st);
}

std::vector<std::int64_t> PlaylistStore::column(const std::string& table,
                                                const std::string& column) const
{
    std::vector<std::int64_t> values;
    store::Statement st = db.prepare("SELECT " + store::quoteIdentifier(column) + " FROM " +
                                     store::quoteIdentifier(table) + " ORDER BY rowid");
    while (st.step()) {
        values.push_back(st.columnInt(0));
    }
    return values;
}

} // namespace listrion::test
