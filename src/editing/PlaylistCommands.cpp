#include "editing/PlaylistCommands.h"

#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/Tables.h"
#include "store/Transaction.h"
#include "text/AsciiCase.h"

#include <system_error>
#include <vector>

namespace listrion::editing {

store::RestoreResult undoAllChanges(store::Database& db, store::RestoreForm form)
{
    const store::StepName step(db, "Undo all changes");
    return store::Restore(db, form);
}

bool hasChannels(const store::Database& db)
{
    return db.scalarInt("SELECT EXISTS (SELECT 1 FROM Playlist)", 0) != 0;
}

std::vector<std::string> groupNamesInGridOrder(const store::Database& db)
{
    std::vector<std::string> names;
    store::Statement st = db.prepare("SELECT grupa FROM Grupa ORDER BY type, broj, rowid");
    while (st.step()) {
        names.push_back(st.columnText(0));
    }
    return names;
}

void newPlaylist(store::Database& db)
{
    store::Transaction tx(db);
    // A new playlist is a new history.
    const store::HistoryPause pause(db);
    store::History::clear(db);
    db.exec("DELETE FROM Grupa; DELETE FROM Grupa_backup; DELETE FROM Playlist;"
            "DELETE FROM Playlist_backup; DELETE FROM Izbrana_Playlista; DELETE FROM SS_Epg;");
    db.prepare("INSERT INTO Grupa (grupa, broj) VALUES (?, 1)").bindAll(kNewGroupName).run();
    tx.commit();
}

void closePlaylist(store::Database& db)
{
    store::Transaction tx(db);
    const store::HistoryPause pause(db);
    store::History::clear(db);
    // The numbered copies belong to the playlist closed; kept, they would offer its rows to
    // whatever playlist is opened next.
    store::dropNumberedCopies(db);
    db.exec("DELETE FROM Grupa; DELETE FROM Grupa_backup; DELETE FROM Grupa_backup2;"
            "DELETE FROM Grupa_backup3; DELETE FROM Grupa_backup4; DELETE FROM Grupa_backup5;"
            "DELETE FROM Grupa_backup6; DELETE FROM Playlist; DELETE FROM Playlist_backup;"
            "DELETE FROM Playlist_backup2; DELETE FROM Playlist_backup3;"
            "DELETE FROM Playlist_backup4; DELETE FROM Playlist_backup5;"
            "DELETE FROM Playlist_backup6; DELETE FROM Izbrana_Playlista; DELETE FROM SS_Epg;");
    tx.commit();
}

std::int64_t Popravi_Group_Type(store::Database& db)
{
    store::Transaction tx(db);
    // The Playlist (grupa, broj) index answers the EXISTS per group.
    db.prepare("UPDATE Grupa SET type = ?1 WHERE (type IS NULL OR type <> ?1) AND EXISTS "
               "(SELECT 1 FROM Playlist WHERE Playlist.grupa = Grupa.grupa AND "
               "Playlist.type = ?1)")
        .bindAll("VOD")
        .run();
    const std::int64_t changed = db.changes();
    tx.commit();
    return changed;
}

void Reload_Playlist(store::Database& db)
{
    store::Transaction tx(db);
    store::Zapisi_Nove_Brojeve_Grupa(db);
    store::Zapisi_Nove_Brojeve(db);
    tx.commit();
}

int removePlaylistFiles(const std::filesystem::path& folder)
{
    // Collected first: removing entries while the folder is being walked is unspecified.
    std::vector<std::filesystem::path> playlists;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (entry.is_regular_file(typeError) &&
            text::equalsIgnoringAsciiCase(entry.path().extension().string(), ".m3u")) {
            playlists.push_back(entry.path());
        }
    }
    int removed = 0;
    for (const std::filesystem::path& path : playlists) {
        std::error_code removeError;
        if (std::filesystem::remove(path, removeError)) {
            ++removed;
        }
    }
    return removed;
}

} // namespace listrion::editing
