#include "store/Tables.h"

#include "store/History.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <vector>

namespace listrion::store {
namespace {

std::vector<std::string> tablesWithPrefix(const Database& db, std::string_view prefix)
{
    std::vector<std::string> names;
    for (std::string& name : db.tableNames()) {
        if (name.starts_with(prefix)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

} // namespace

void dropNumberedCopies(Database& db)
{
    Transaction tx(db);
    // Collect first, then drop: dropping changes the table list being walked.
    for (std::string_view prefix : {Schema::kPlaylistBackupPrefix, Schema::kGrupaBackupPrefix}) {
        for (const std::string& name : tablesWithPrefix(db, prefix)) {
            db.dropTable(name);
        }
    }
    tx.commit();
}

void Izbrisi_Kopije(Database& db)
{
    Transaction tx(db);
    // A playlist replaced is a new history: emptying it is no step.
    const HistoryPause pause(db);
    History::clear(db);
    dropNumberedCopies(db);
    db.exec("DELETE FROM Grupa; DELETE FROM Grupa_backup; DELETE FROM Playlist;"
            "DELETE FROM Playlist_backup; DELETE FROM Izbrana_Playlista; DELETE FROM SS_Epg;");
    tx.commit();
}

std::optional<std::string> chosenPlaylist(const Database& db)
{
    Statement st = db.prepare("SELECT Ime FROM Izbrana_Playlista ORDER BY rowid LIMIT 1");
    if (!st.step()) {
        return std::nullopt;
    }
    return st.columnText(0);
}

void setChosenPlaylist(Database& db, const std::string& source)
{
    Transaction tx(db);
    db.exec("DELETE FROM Izbrana_Playlista");
    db.prepare("INSERT INTO Izbrana_Playlista (Ime) VALUES (?)").bindAll(source).run();
    tx.commit();
}

std::string playlistExtras(const Database& db)
{
    Statement st = db.prepare("SELECT extras FROM Izbrana_Playlista ORDER BY rowid LIMIT 1");
    return st.step() ? st.columnText(0) : std::string();
}

void setPlaylistExtras(Database& db, std::string_view extras)
{
    Transaction tx(db);
    Statement st = db.prepare("UPDATE Izbrana_Playlista SET extras = ?");
    if (extras.empty()) {
        st.bindNull(1);
    } else {
        st.bind(1, extras);
    }
    st.run();
    tx.commit();
}

std::optional<PlaylistCodepage> playlistCodepage(const Database& db)
{
    Statement st = db.prepare("SELECT codepage, bom FROM Izbrana_Playlista "
                              "WHERE codepage IS NOT NULL ORDER BY rowid LIMIT 1");
    if (!st.step()) {
        return std::nullopt;
    }
    return PlaylistCodepage{st.columnText(0), st.columnInt(1) != 0};
}

void setPlaylistCodepage(Database& db, const PlaylistCodepage& codepage)
{
    Transaction tx(db);
    db.prepare("UPDATE Izbrana_Playlista SET codepage = ?, bom = ?")
        .bindAll(codepage.name, std::int64_t{codepage.bom ? 1 : 0})
        .run();
    tx.commit();
}

std::int64_t channelCount(const Database& db)
{
    return db.scalarInt("SELECT count(*) FROM Playlist", 0);
}

std::int64_t groupCount(const Database& db)
{
    return db.scalarInt("SELECT count(*) FROM Grupa", 0);
}

} // namespace listrion::store
