// The regional restructuring of the large store: every other group kept, rules that rename,
// add, move channels and place keyword groups, and every channel name in need of tidying (a
// provider prefix, lower case). Timed with its undo, which brings the store back for the next
// run.
#include "BenchTools.h"

#include "store/History.h"
#include "store/NamedBackups.h"
#include "store/Transaction.h"
#include "tools/Restructuring.h"

namespace listrion::bench {

void benchRestructure(store::Database& db, const Options& o)
{
    tools::RestructuringRules rules;
    std::vector<std::string> names;
    store::Statement groups = db.prepare("SELECT grupa FROM Grupa ORDER BY broj");
    while (groups.step()) {
        names.push_back(groups.columnText(0));
    }
    groups.reset();
    for (std::size_t i = 0; i < names.size(); i += 2) {
        rules.chosen.push_back(names[i]);
    }
    for (const char* added : {"Filmski", "Muzika", "Extra 1", "Extra 2"}) {
        rules.newGroups.emplace_back(added);
    }
    const char* keywords[] = {"Pink", "ARENA SPORT", "slovenija", "Croatia"};
    for (std::size_t k = 0; k < 4; ++k) {
        rules.renames.emplace_back(names[20 * k + 2], keywords[k]);
    }
    for (int c = 1; c <= 100; ++c) {
        const std::string channel = "Channel " + std::to_string(c);
        rules.channelRules.push_back({names[0], channel, "Filmski", "Film " + std::to_string(c)});
    }
    {
        // Every name gets a prefix and loses its capitals, outside the timing.
        const store::HistoryPause pause(db);
        store::Transaction tx(db);
        db.exec("UPDATE Playlist SET name = 'UK | ' || lower(name), tvgname = lower(tvgname)");
        tx.commit();
        store::History::clear(db);
    }
    Timer plain;
    Timer run;
    Timer undo;
    tools::RestructuringResult done;
    const auto dropBackup = [&] {
        db.dropTable(done.backup);
        db.dropTable("Grupa_Backup_" + store::Najdi_Stevilko_Kopije(done.backup));
    };
    // Without the history, then put back from copies of the two tables.
    db.exec("CREATE TEMP TABLE KeptChannels AS SELECT rowid AS id, * FROM Playlist; "
            "CREATE TEMP TABLE KeptGroups AS SELECT rowid AS id, * FROM Grupa");
    for (int r = 0; r < o.repeat; ++r) {
        const store::HistoryPause pause(db);
        plain.run([&] { done = tools::restructure(db, rules); });
        store::Transaction tx(db);
        db.exec("DELETE FROM Playlist; DELETE FROM Grupa; "
                "INSERT INTO Playlist (rowid, izberi, grupa, name, tvgname, tvgid, link, logo, "
                "broj, type, parent_code, extras) SELECT * FROM temp.KeptChannels; "
                "INSERT INTO Grupa (rowid, izberi, grupa, type, count, broj) SELECT * FROM "
                "temp.KeptGroups");
        tx.commit();
        dropBackup();
    }
    db.exec("DROP TABLE temp.KeptChannels; DROP TABLE temp.KeptGroups");
    for (int r = 0; r < o.repeat; ++r) {
        run.run([&] { done = tools::restructure(db, rules); });
        undo.run([&] { store::History::undo(db); });
        store::History::clear(db);
        dropBackup();
    }
    report("regional restructuring (one transaction)", run,
           std::to_string(done.channelsDeleted) + " channels deleted, " +
               std::to_string(done.namesTidied) + " names tidied");
    report("its undo", undo, "");
    std::printf("recording adds %+.0f %% (%.3f s without the history)\n",
                100.0 * (run.best() / plain.best() - 1.0), plain.best());
}

} // namespace listrion::bench
