#include "store/StoreCheck.h"

#include "store/Schema.h"
#include "store/Transaction.h"

namespace listrion::store {
namespace {

// The engine reports at most this many damaged places; the rest are the same story.
constexpr int kMostIntegrityLines = 20;

// Each rule is one query giving the text of every breach it finds.
constexpr const char* kRules[] = {
    "SELECT 'group ''' || grupa || ''' has ' || count(*) || ' group rows' FROM Grupa "
    "GROUP BY grupa HAVING count(*) > 1",
    "SELECT count(*) || ' channels of group ''' || grupa || ''' have no group row' "
    "FROM Playlist WHERE NOT EXISTS (SELECT 1 FROM Grupa WHERE Grupa.grupa = Playlist.grupa) "
    "GROUP BY grupa",
    "SELECT 'the undo snapshot holds ' || count(*) || ' channels of group ''' || grupa || "
    "''' without its group row' FROM Playlist_backup WHERE NOT EXISTS "
    "(SELECT 1 FROM Grupa_backup WHERE Grupa_backup.grupa = Playlist_backup.grupa) "
    "GROUP BY grupa",
    "SELECT 'group ''' || grupa || ''' counts ' || count || ' channels but holds ' || n FROM "
    "(SELECT grupa, count, (SELECT count(*) FROM Playlist WHERE Playlist.grupa = Grupa.grupa) "
    "AS n FROM Grupa) WHERE count IS NOT NULL AND count <> n",
    "SELECT count(*) || ' channels at position ' || broj FROM Playlist GROUP BY broj "
    "HAVING count(*) > 1",
    "SELECT 'the history holds data of step ' || step || ', which does not exist' FROM "
    "History_Data WHERE step NOT IN (SELECT id FROM History_Step) GROUP BY step",
};

void integrity(Database& db, std::vector<std::string>& problems)
{
    Statement st =
        db.prepare("PRAGMA integrity_check(" + std::to_string(kMostIntegrityLines) + ")");
    while (st.step()) {
        std::string line = st.columnText(0);
        if (line != "ok") {
            problems.push_back("integrity: " + line);
        }
    }
}

} // namespace

std::vector<std::string> checkStore(Database& db)
{
    const ReadTransaction view(db);
    std::vector<std::string> problems;
    integrity(db, problems);
    const std::vector<std::string> missing = Schema::missingParts(db);
    for (const std::string& part : missing) {
        problems.push_back("missing: " + part);
    }
    if (!missing.empty()) {
        // The rules read tables that may be among the missing.
        return problems;
    }
    for (const char* rule : kRules) {
        Statement st = db.prepare(rule);
        while (st.step()) {
            problems.push_back(st.columnText(0));
        }
    }
    return problems;
}

} // namespace listrion::store
