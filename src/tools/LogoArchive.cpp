#include "tools/LogoArchive.h"

#include "store/TextCollation.h"
#include "store/Transaction.h"
#include "tools/ArchiveFile.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace listrion::tools {
namespace {

struct Candidate {
    std::string folded; // tvgname as the comparison folds it
    std::int64_t rowId = 0;
};

// The channels without a logo, sorted by folded tvg name: those beginning with a text form one
// run. A tree over the sorted positions gives, for a run, the position of the lowest row id
// still without a logo.
class Candidates {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    explicit Candidates(std::vector<Candidate> all) : m_all(std::move(all))
    {
        std::sort(m_all.begin(), m_all.end(), [](const Candidate& a, const Candidate& b) {
            return a.folded != b.folded ? a.folded < b.folded : a.rowId < b.rowId;
        });
        while (m_size < m_all.size()) {
            m_size *= 2;
        }
        m_tree.assign(2 * m_size, kNone);
        for (std::size_t i = 0; i < m_all.size(); ++i) {
            m_tree[m_size + i] = i;
        }
        for (std::size_t i = m_size - 1; i >= 1; --i) {
            m_tree[i] = lower(m_tree[2 * i], m_tree[2 * i + 1]);
        }
    }

    // The row id of the first channel (lowest row id) whose name begins with `prefix` (folded)
    // among the candidates, or nothing; the channel stops being a candidate unless `keep`.
    std::optional<std::int64_t> take(const std::string& prefix, bool keep)
    {
        const auto lo =
            std::lower_bound(m_all.begin(), m_all.end(), prefix,
                             [](const Candidate& c, const std::string& p) { return c.folded < p; });
        const auto hi = std::partition_point(
            lo, m_all.end(), [&](const Candidate& c) { return c.folded.starts_with(prefix); });
        std::size_t best = kNone;
        std::size_t l = m_size + static_cast<std::size_t>(lo - m_all.begin());
        std::size_t r = m_size + static_cast<std::size_t>(hi - m_all.begin());
        for (; l < r; l /= 2, r /= 2) {
            if (l & 1) {
                best = lower(best, m_tree[l++]);
            }
            if (r & 1) {
                best = lower(best, m_tree[--r]);
            }
        }
        if (best == kNone) {
            return std::nullopt;
        }
        if (!keep) {
            std::size_t i = m_size + best;
            m_tree[i] = kNone;
            for (i /= 2; i >= 1; i /= 2) {
                m_tree[i] = lower(m_tree[2 * i], m_tree[2 * i + 1]);
            }
        }
        return m_all[best].rowId;
    }

private:
    // Of two positions, the one with the lower row id (kNone for none).
    std::size_t lower(std::size_t a, std::size_t b) const
    {
        if (a == kNone || b == kNone) {
            return a == kNone ? b : a;
        }
        return m_all[b].rowId < m_all[a].rowId ? b : a;
    }

    std::vector<Candidate> m_all;
    std::size_t m_size = 1;
    std::vector<std::size_t> m_tree;
};

Candidates readCandidates(const store::Database& db)
{
    std::vector<Candidate> all;
    store::Statement st =
        db.prepare("SELECT rowid, tvgname FROM Playlist WHERE logo = '' AND tvgname IS NOT NULL");
    while (st.step()) {
        all.push_back({store::foldText(st.columnView(1)), st.columnInt(0)});
    }
    return Candidates(std::move(all));
}

// Whether a channel given this logo still has none as the import's "logo = ''" sees it.
bool stillWithoutLogo(const store::Value& logo)
{
    const auto* text = std::get_if<std::string>(&logo);
    return text != nullptr && text->find_first_not_of(' ') == std::string::npos;
}

} // namespace

LogoImport importLogos(store::Database& db, const store::Database& archive)
{
    LogoImport result;
    result.fromUser = archive.scalarInt("SELECT EXISTS (SELECT 1 FROM Logo_User)", 0) != 0;
    store::Statement source =
        archive.prepare(result.fromUser ? "SELECT TVGname, Logo FROM Logo_User ORDER BY rowid"
                                        : "SELECT TVGname, Logo FROM Logo_Orginal ORDER BY rowid");
    store::Transaction tx(db);
    Candidates candidates = readCandidates(db);
    store::Statement update = db.prepare("UPDATE Playlist SET logo = ? WHERE rowid = ?");
    while (source.step()) {
        ++result.sourceRows;
        if (source.isNull(0)) {
            continue; // a LIKE with NULL matches nothing
        }
        const store::Value logo = source.columnValue(1);
        const std::optional<std::int64_t> rowId =
            candidates.take(store::foldText(source.columnView(0)), stillWithoutLogo(logo));
        if (rowId) {
            update.bind(1, logo).bind(2, *rowId).run();
            update.reset();
            ++result.assigned;
        }
    }
    tx.commit();
    return result;
}

std::int64_t saveLogoArchive(store::Database& db, store::Database& archive)
{
    return refillArchiveTable(
        db, archive, "DELETE FROM Logo_User",
        "SELECT p.grupa, p.tvgname, p.logo FROM Grupa g JOIN Playlist p ON p.grupa = g.grupa "
        "WHERE g.broj > 0 AND g.type = 'Live' AND p.logo <> '' AND p.logo <> '[' "
        "AND p.logo <> '[]' ORDER BY g.broj, p.broj",
        "INSERT INTO Logo_User (grupa, TVGname, Logo) VALUES (?, ?, ?)");
}

} // namespace listrion::tools
