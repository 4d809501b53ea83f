#include "tools/EpgArchive.h"

#include "store/TextCollation.h"
#include "store/Transaction.h"
#include "tools/ArchiveFile.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace listrion::tools {
namespace {

void removeAll(std::string& text, std::string_view what)
{
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string::npos;
         from = at + what.size()) {
        out.append(text, from, at - from);
    }
    out.append(text, from);
    text = std::move(out);
}

struct ArchiveRow {
    std::optional<std::string> pattern; // none for a NULL Name: a LIKE with NULL matches nothing
    std::string tvgId;
};

struct Winner {
    std::size_t row = 0; // index of the archive row whose id the channel gets
    std::string id;      // the id the channel holds now
    bool idIsNull = false;
};

std::vector<ArchiveRow> readArchive(const store::Database& archive)
{
    std::vector<ArchiveRow> rows;
    store::Statement st = archive.prepare("SELECT Name, tvgID FROM EPG ORDER BY rowid");
    while (st.step()) {
        ArchiveRow& row = rows.emplace_back(ArchiveRow{std::nullopt, st.columnText(1)});
        if (!st.isNull(0)) {
            row.pattern = epgArchivePattern(st.columnText(0));
        }
    }
    return rows;
}

} // namespace

std::string epgArchivePattern(std::string name)
{
    // Only ASCII letters are lowered: the comparison ignores letter case anyway, and the
    // suffixes removed are ASCII.
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    removeAll(name, " hd");
    removeAll(name, " fhd");
    return name;
}

EpgImport importEpgIds(store::Database& db, const store::Database& archive)
{
    EpgImport result;
    const std::vector<ArchiveRow> rows = readArchive(archive);
    result.archiveRows = static_cast<std::int64_t>(rows.size());
    // A LIKE without pattern characters is an equality of the folded texts: those rows are
    // looked up by folded name, the last of equal ones winning; the few with '%' or '_' are
    // tried on every channel.
    std::unordered_map<std::string, std::size_t> exact;
    std::vector<std::size_t> patterns;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].pattern) {
            continue;
        }
        if (rows[i].pattern->find_first_of("%_") == std::string::npos) {
            exact[store::foldText(*rows[i].pattern)] = i;
        } else {
            patterns.push_back(i);
        }
    }
    store::Transaction tx(db);
    std::vector<std::pair<std::int64_t, Winner>> winners; // by channel row id
    store::Statement channels =
        db.prepare("SELECT rowid, name, tvgid FROM Playlist WHERE name IS NOT NULL");
    std::string folded;
    while (channels.step()) {
        const std::string_view name = channels.columnView(1);
        bool found = false;
        std::size_t best = 0;
        folded.clear();
        store::appendFoldedText(name, folded);
        if (auto hit = exact.find(folded); hit != exact.end()) {
            found = true;
            best = hit->second;
        }
        for (auto p = patterns.rbegin(); p != patterns.rend() && (!found || *p > best); ++p) {
            if (store::likeMatches(*rows[*p].pattern, name)) {
                found = true;
                best = *p;
            }
        }
        if (found) {
            winners.emplace_back(channels.columnInt(0),
                                 Winner{best, channels.columnText(2), channels.isNull(2)});
        }
    }
    store::Statement update = db.prepare("UPDATE Playlist SET tvgid = ? WHERE rowid = ?");
    for (const auto& [rowId, winner] : winners) {
        const std::string& id = rows[winner.row].tvgId;
        if (winner.idIsNull || winner.id != id) {
            update.bindAll(id, rowId).run();
            update.reset();
            ++result.changed;
        }
    }
    result.channels = static_cast<std::int64_t>(winners.size());
    tx.commit();
    return result;
}

std::int64_t saveEpgArchive(store::Database& db, store::Database& archive)
{
    return refillArchiveTable(
        db, archive, "DELETE FROM EPG",
        "SELECT p.grupa, p.name, p.tvgname, p.tvgid FROM Grupa g JOIN Playlist p "
        "ON p.grupa = g.grupa WHERE g.broj > 0 AND p.type = 'Live' AND p.tvgid <> '' "
        "ORDER BY g.broj, p.broj",
        "INSERT INTO EPG (grupa, Name, TVGname, tvgID) VALUES (?, ?, ?, ?)");
}

std::string epgAddress(const store::Database& db)
{
    store::Statement st = db.prepare("SELECT ssepgurl FROM SS_Epg ORDER BY rowid LIMIT 1");
    return st.step() ? st.columnText(0) : std::string();
}

bool setEpgAddress(store::Database& db, const std::string& address)
{
    if (address.empty()) {
        return false;
    }
    store::Transaction tx(db);
    db.exec("DELETE FROM SS_Epg");
    db.prepare("INSERT INTO SS_Epg (ssepgurl) VALUES (?)").bindAll(address).run();
    tx.commit();
    return true;
}

} // namespace listrion::tools
