#include "tools/RestructuringRules.h"

#include "editing/NameText.h"
#include "store/RuleSchema.h"
#include "store/SqlError.h"
#include "store/Transaction.h"

#include <sqlite3.h>

namespace listrion::tools {
namespace {

using editing::NameText::withoutOuterBlanks;

// The rows of a rule table with each text trimmed; rows with an empty text are left out.
std::vector<std::vector<std::string>> completeRows(const store::Database& rules, const char* sql)
{
    std::vector<std::vector<std::string>> rows;
    store::Statement st = rules.prepare(sql);
    while (st.step()) {
        std::vector<std::string> row;
        bool complete = true;
        for (int column = 0; column < st.columnCount(); ++column) {
            row.push_back(withoutOuterBlanks(st.columnView(column)));
            complete = complete && !row.back().empty();
        }
        if (complete) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

} // namespace

store::Database openRuleFile(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw RuleFileError(file.filename().string() + " is missing");
    }
    try {
        store::Database db(file);
        const std::vector<std::string> missing = store::RuleSchema::missingParts(db);
        if (!missing.empty()) {
            throw RuleFileError(file.filename().string() + " is damaged: it lacks " +
                                missing.front());
        }
        return db;
    } catch (const store::SqlError& error) {
        // Only a file the engine cannot read as a database is damaged; a busy or read-only one
        // is not made afresh.
        const int code = error.code() & 0xff;
        if (code != SQLITE_NOTADB && code != SQLITE_CORRUPT) {
            throw;
        }
        throw RuleFileError(file.filename().string() +
                            " is damaged: it is not a database the program can read");
    }
}

void recreateRuleFile(const std::filesystem::path& file)
{
    store::RuleSchema::create(file);
}

RestructuringRules readRules(store::Database& rules)
{
    RestructuringRules read;
    const store::ReadTransaction snapshot(rules);
    for (auto& row : completeRows(rules, "SELECT Grupa FROM Izloci ORDER BY rowid")) {
        read.chosen.push_back(std::move(row[0]));
    }
    for (auto& row : completeRows(rules, "SELECT Grupa FROM grupa_novo ORDER BY rowid")) {
        read.newGroups.push_back(std::move(row[0]));
    }
    for (auto& row : completeRows(rules, "SELECT Grupa1, Grupa2 FROM Grupa ORDER BY rowid")) {
        read.renames.emplace_back(std::move(row[0]), std::move(row[1]));
    }
    for (auto& row : completeRows(rules, "SELECT grupa1, ime1, grupa2, ime2 FROM "
                                         "Spremeni_Skupino ORDER BY rowid")) {
        read.channelRules.push_back(
            {std::move(row[0]), std::move(row[1]), std::move(row[2]), std::move(row[3])});
    }
    return read;
}

ChooseResult chooseGroup(store::Database& rules, std::string_view group)
{
    const std::string name = withoutOuterBlanks(group);
    if (name.empty()) {
        return ChooseResult::Empty;
    }
    store::Transaction tx(rules);
    if (rules.scalarInt("SELECT count(*) FROM Izloci WHERE Grupa = ?", 0, name) > 0) {
        return ChooseResult::AlreadyChosen;
    }
    rules.prepare("INSERT INTO Izloci (Grupa) VALUES (?)").bindAll(name).run();
    tx.commit();
    return ChooseResult::Added;
}

bool unchooseGroup(store::Database& rules, std::string_view group)
{
    store::Transaction tx(rules);
    rules.prepare("DELETE FROM Izloci WHERE Grupa = ?").bindAll(withoutOuterBlanks(group)).run();
    const bool removed = rules.changes() > 0;
    tx.commit();
    return removed;
}

std::int64_t unchooseAll(store::Database& rules)
{
    store::Transaction tx(rules);
    rules.exec("DELETE FROM Izloci");
    const std::int64_t removed = rules.changes();
    tx.commit();
    return removed;
}

} // namespace listrion::tools
