#include "support/PlaylistStore.h"

#include "store/Schema.h"

namespace listrion::test {

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
    return texts("SELECT name FROM Playlist WHERE ?1 = '' OR grupa = ?1 ORDER BY broj, rowid",
                 grupa);
}

std::vector<std::string> PlaylistStore::groups() const
{
    return texts("SELECT grupa FROM Grupa ORDER BY broj, rowid");
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

void PlaylistStore::recount()
{
    db.exec("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist WHERE Playlist.grupa = "
            "Grupa.grupa)");
}

std::vector<std::string> PlaylistStore::problems() const
{
    // Each check is one query giving the text of every breach it finds.
    static constexpr const char* kChecks[] = {
        "SELECT 'two group rows named ' || grupa FROM Grupa GROUP BY grupa HAVING count(*) > 1",
        "SELECT 'no group row for ' || grupa FROM Playlist WHERE grupa NOT IN "
        "(SELECT grupa FROM Grupa) GROUP BY grupa",
        "SELECT 'count of ' || grupa || ' is ' || ifnull(count, 'NULL') FROM Grupa WHERE "
        "ifnull(count, -1) <> (SELECT count(*) FROM Playlist WHERE Playlist.grupa = Grupa.grupa)",
        "SELECT 'two channels at ' || broj FROM Playlist GROUP BY broj HAVING count(*) > 1",
        "SELECT 'two groups at ' || broj FROM Grupa GROUP BY broj HAVING count(*) > 1",
        "SELECT 'channels of ' || grupa || ' are not one range' FROM Playlist GROUP BY grupa "
        "HAVING max(broj) - min(broj) + 1 <> count(*)",
        "SELECT 'group positions are not 1..n' FROM (SELECT count(*) AS n, min(broj) AS lo, "
        "max(broj) AS hi FROM Grupa) WHERE n > 0 AND (lo <> 1 OR hi <> n)"};
    std::vector<std::string> found;
    for (const char* check : kChecks) {
        for (std::string& problem : texts(check)) {
            found.push_back(std::move(problem));
        }
    }
    return found;
}

} // namespace listrion::test
