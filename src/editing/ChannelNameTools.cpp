#include "editing/ChannelNameTools.h"

#include "editing/EditRefused.h"
#include "editing/NameText.h"
#include "store/ChangeLog.h"
#include "store/History.h"
#include "store/Schema.h"
#include "store/SqlFunction.h"
#include "store/Transaction.h"

#include <charconv>

namespace listrion::editing {
namespace {

using Reason = EditRefused::Reason;

bool has(std::string_view text, char c)
{
    return text.find(c) != std::string_view::npos;
}

// `result` replaces `text` unless it is empty once blanks are gone; true when it did.
bool take(std::string& text, std::string result)
{
    if (NameText::withoutOuterBlanks(result).empty()) {
        return false;
    }
    text = std::move(result);
    return true;
}

std::string stripped(std::string name, bool& changed)
{
    if (has(name, '|')) {
        changed |= take(name, NameText::afterPipe(name));
    }
    if (has(name, '(') && has(name, ')')) {
        changed |= take(name, NameText::withoutBracketPart(name, '(', ')'));
    }
    if (has(name, ':')) {
        changed |= take(name, NameText::afterColon(name));
    }
    if (has(name, '[') && has(name, ']')) {
        changed |= take(name, NameText::withoutBracketPart(name, '[', ']'));
    }
    return name;
}

std::string capitalized(std::string_view text, std::string_view decider)
{
    std::string result = NameText::upperCountryCode(NameText::properCase(text), decider);
    for (const auto& [from, to] : NameText::kChannelTokens) {
        result = NameText::replaceAll(result, from, to);
    }
    return result;
}

// The rewrite of the channels a statement visits: each row's texts are worked out once,
// whichever of the three functions asks first.
class RowRewrite {
public:
    explicit RowRewrite(const ChannelNamesRewrite& rewrite) : m_rewrite(rewrite) {}

    const std::pair<std::string, std::string>& of(std::string_view name, std::string_view tvg)
    {
        if (!m_valid || name != m_name || tvg != m_tvg) {
            m_name = name;
            m_tvg = tvg;
            m_out = m_rewrite(name, tvg);
            m_valid = true;
        }
        return m_out;
    }
    bool changes(std::string_view name, std::string_view tvg)
    {
        const auto& out = of(name, tvg);
        return out.first != name || out.second != tvg;
    }

private:
    const ChannelNamesRewrite& m_rewrite;
    std::string m_name;
    std::string m_tvg;
    std::pair<std::string, std::string> m_out;
    bool m_valid = false;
};

} // namespace

std::pair<std::string, std::string>
editedChannelNames(std::string_view name, std::string_view tvgname, const ChannelNameEdit& edit)
{
    std::pair<std::string, std::string> out{std::string(name), std::string(tvgname)};
    switch (edit.tool) {
    case ChannelNameTool::Prefix:
    case ChannelNameTool::Suffix: {
        auto add = [&](std::string& text) {
            take(text, edit.tool == ChannelNameTool::Prefix ? edit.text + " " + text
                                                            : text + " " + edit.text);
        };
        if (edit.names) {
            add(out.first);
        }
        if (edit.tvgNames) {
            add(out.second);
        }
        break;
    }
    case ChannelNameTool::Strip: {
        bool changed = false;
        const std::string result = stripped(out.first, changed);
        if (changed) {
            out = {result, result};
        }
        break;
    }
    case ChannelNameTool::Replace:
        if (edit.names) {
            take(out.first, NameText::replaceAll(name, edit.text, edit.replacement));
        }
        if (edit.tvgNames) {
            take(out.second, NameText::replaceAll(tvgname, edit.text, edit.replacement));
        }
        break;
    case ChannelNameTool::Capitalize: {
        const std::string decider = NameText::properCase(name);
        take(out.first, capitalized(name, decider));
        take(out.second, capitalized(tvgname, decider));
        break;
    }
    case ChannelNameTool::Upper:
        take(out.first, NameText::upperCase(name));
        take(out.second, NameText::upperCase(tvgname));
        break;
    }
    return out;
}

std::int64_t rewriteChannelNames(store::Database& db, const ChannelNamesRewrite& rewrite,
                                 const std::string& where,
                                 const std::function<void(store::Statement&)>& bind)
{
    RowRewrite rows(rewrite);
    auto text = [](std::string_view s) {
        return std::optional<std::string>(std::string(s));
    };
    // The history learns each changed channel's old texts as the statement finds it, which for
    // a million channels is much cheaper than through the engine's hook.
    store::ChangeLog& log = db.changeLog();
    const bool recording = log.collecting();
    const int nameColumn = store::Schema::columnNumber(db, "Playlist", "name");
    const int tvgColumn = store::Schema::columnNumber(db, "Playlist", "tvgname");
    const store::SqlFunction changes(db, "listrion_name_changes", 2,
                                     [&](std::span<const std::string_view> a) {
                                         return text(rows.changes(a[0], a[1]) ? "1" : "0");
                                     });
    // Called once for every channel the statement changes.
    const store::SqlFunction newName(
        db, "listrion_new_name", 3, [&](std::span<const std::string_view> a) {
            const auto& [name, tvgname] = rows.of(a[1], a[2]);
            if (recording) {
                std::int64_t rowid = 0;
                std::from_chars(a[0].data(), a[0].data() + a[0].size(), rowid);
                const bool nameChanges = name != a[1];
                const bool tvgChanges = tvgname != a[2];
                if (nameChanges && tvgChanges) {
                    log.addTextChanges(0, rowid,
                                       {{nameColumn, a[1], name}, {tvgColumn, a[2], tvgname}});
                } else if (nameChanges) {
                    log.addTextChange(0, rowid, nameColumn, a[1], name);
                } else if (tvgChanges) {
                    log.addTextChange(0, rowid, tvgColumn, a[2], tvgname);
                }
            }
            return text(name);
        });
    const store::SqlFunction newTvgName(
        db, "listrion_new_tvgname", 2,
        [&](std::span<const std::string_view> a) { return text(rows.of(a[0], a[1]).second); });
    store::Statement update =
        db.prepare("UPDATE Playlist SET name = listrion_new_name(rowid, name, tvgname), "
                   "tvgname = listrion_new_tvgname(name, tvgname)" +
                   where + " AND listrion_name_changes(name, tvgname) = '1'");
    if (bind) {
        bind(update);
    }
    const store::HistoryPause pause(db);
    update.run();
    return db.changes();
}

std::int64_t applyChannelNameEdit(store::Database& db, const ChannelNameEdit& edit,
                                  const std::optional<std::string>& grupa)
{
    const bool ticked =
        edit.tool == ChannelNameTool::Prefix || edit.tool == ChannelNameTool::Suffix;
    const bool choosesColumns = ticked || edit.tool == ChannelNameTool::Replace;
    if (choosesColumns && !edit.names && !edit.tvgNames) {
        throw EditRefused(Reason::NoNameColumn, "say which text changes: the name, the tvg-name "
                                                "or both");
    }
    store::Transaction tx(db);
    std::optional<std::string> scope = grupa;
    const std::string where =
        std::string(" WHERE (?1 IS NULL OR grupa = ?1)") + (ticked ? " AND izberi <> 0" : "");
    auto bindScope = [&scope](store::Statement& st) {
        scope ? st.bind(1, *scope) : st.bindNull(1);
    };
    if (ticked) {
        store::Statement count = db.prepare("SELECT count(*) FROM Playlist" + where);
        bindScope(count);
        if (!count.step() || count.columnInt(0) == 0) {
            throw EditRefused(Reason::NothingTicked, "no channel is ticked");
        }
    }
    const std::int64_t changed = rewriteChannelNames(
        db,
        [&edit](std::string_view name, std::string_view tvg) {
            return editedChannelNames(name, tvg, edit);
        },
        where, bindScope);
    if (ticked) {
        db.exec("UPDATE Playlist SET izberi = 0 WHERE izberi <> 0");
    }
    tx.commit();
    return changed;
}

} // namespace listrion::editing
