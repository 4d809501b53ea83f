#include "editing/ChannelEntry.h"

#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "editing/NameText.h"
#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <algorithm>

namespace listrion::editing {
namespace {

using Reason = EditRefused::Reason;

bool blank(std::string_view text)
{
    return NameText::withoutOuterBlanks(text).empty();
}

bool noCode(std::string_view code)
{
    return code.empty() || code == "0";
}

// The stored form of a parental code: the number 0 for none (as the reader stores it), else
// the digits as typed.
void bindParentCode(store::Statement& st, int index, const std::string& code)
{
    if (noCode(code)) {
        st.bind(index, std::int64_t{0});
    } else {
        st.bind(index, code);
    }
}

void refuse(ChannelProblem problem)
{
    static constexpr struct {
        ChannelProblem problem;
        Reason reason;
    } kReasons[] = {{ChannelProblem::NoGroup, Reason::NoSuchGroup},
                    {ChannelProblem::NoName, Reason::EmptyName},
                    {ChannelProblem::NoLink, Reason::NoLink},
                    {ChannelProblem::NoType, Reason::NoType},
                    {ChannelProblem::TooLong, Reason::NameTooLong}};
    Reason reason = Reason::BadType;
    for (const auto& r : kReasons) {
        if (r.problem == problem) {
            reason = r.reason;
        }
    }
    throw EditRefused(reason, describe(problem));
}

void check(const ChannelFields& fields, bool needGroup)
{
    const ChannelProblem problem = checkChannel(fields, needGroup);
    if (problem != ChannelProblem::None) {
        refuse(problem);
    }
}

} // namespace

ChannelProblem checkParentCode(std::string_view code)
{
    return noCode(code) ? ChannelProblem::None : checkCodeDigits(code);
}

ChannelProblem checkCodeDigits(std::string_view code)
{
    if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return ChannelProblem::CodeNotNumeric;
    }
    if (code.size() >= 5) {
        return ChannelProblem::CodeTooLong;
    }
    return code.size() < 4 ? ChannelProblem::CodeTooShort : ChannelProblem::None;
}

ChannelProblem checkChannel(const ChannelFields& fields, bool needGroup)
{
    if (needGroup && blank(fields.grupa)) {
        return ChannelProblem::NoGroup;
    }
    if (blank(fields.name)) {
        return ChannelProblem::NoName;
    }
    if (blank(fields.link)) {
        return ChannelProblem::NoLink;
    }
    if (fields.type.empty()) {
        return ChannelProblem::NoType;
    }
    if (std::find(kStreamTypes.begin(), kStreamTypes.end(), fields.type) == kStreamTypes.end()) {
        return ChannelProblem::BadType;
    }
    for (const std::string* text : {&fields.grupa, &fields.name, &fields.tvgname, &fields.tvgid,
                                    &fields.logo, &fields.link}) {
        if (NameText::length(*text) > kMaxTextLength) {
            return ChannelProblem::TooLong;
        }
    }
    return checkParentCode(fields.parentCode);
}

std::string describe(ChannelProblem problem)
{
    switch (problem) {
    case ChannelProblem::None:
        return {};
    case ChannelProblem::NoGroup:
        return "no group given";
    case ChannelProblem::NoName:
        return "the channel name is empty";
    case ChannelProblem::NoLink:
        return "the stream link is empty";
    case ChannelProblem::NoType:
        return "no type given: Live, VOD or Radio";
    case ChannelProblem::BadType:
        return "the type is not one of Live, VOD and Radio";
    case ChannelProblem::TooLong:
        return "a text is longer than " + std::to_string(kMaxTextLength) + " characters";
    case ChannelProblem::CodeNotNumeric:
        return "a parental code has digits only";
    case ChannelProblem::CodeTooLong:
        return "a parental code has four digits, not more";
    case ChannelProblem::CodeTooShort:
        return "a parental code has four digits, not fewer";
    }
    return {};
}

AddedChannel addChannel(store::Database& db, const ChannelFields& fields)
{
    check(fields, true);
    store::Transaction tx(db);
    AddedChannel result;
    std::optional<std::string> grupa = storedGroupName(db, fields.grupa);
    if (!grupa) {
        addGroup(db, fields.grupa, fields.type);
        grupa = fields.grupa;
        result.groupCreated = true;
    }
    const std::int64_t last =
        db.scalarInt("SELECT max(broj) FROM Playlist WHERE grupa = ?", -1, *grupa);
    store::Statement insert = db.prepare(
        "INSERT INTO Playlist (izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, "
        "parent_code) VALUES (0, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bindAll(*grupa, fields.name, fields.tvgname, fields.tvgid, fields.link, fields.logo,
                   last + 1, fields.type);
    bindParentCode(insert, 9, fields.parentCode);
    insert.run();
    result.rowid = db.scalarInt("SELECT last_insert_rowid()", 0);
    store::Osvezi_Stevilo_Grupe(db, *grupa);
    store::Zapisi_Nove_Brojeve(db);
    result.broj = db.scalarInt("SELECT broj FROM Playlist WHERE rowid = ?", 0, result.rowid);
    tx.commit();
    return result;
}

std::optional<ChannelFields> readChannel(const store::Database& db, std::int64_t rowid)
{
    store::Statement st = db.prepare("SELECT grupa, name, tvgname, tvgid, logo, link, type, "
                                     "parent_code FROM Playlist WHERE rowid = ?");
    st.bind(1, rowid);
    if (!st.step()) {
        return std::nullopt;
    }
    return ChannelFields{st.columnText(0), st.columnText(1), st.columnText(2), st.columnText(3),
                         st.columnText(4), st.columnText(5), st.columnText(6), st.columnText(7)};
}

EditedChannel editChannel(store::Database& db, std::int64_t rowid, const ChannelFields& fields)
{
    check(fields, false);
    store::Transaction tx(db);
    const std::optional<ChannelFields> old = readChannel(db, rowid);
    if (!old) {
        throw EditRefused(Reason::NoSuchChannel, "the channel is no longer there");
    }
    const std::optional<std::string> grupa = storedGroupName(db, fields.grupa);
    if (!grupa) {
        throw EditRefused(Reason::NoSuchGroup, "there is no group '" + fields.grupa + "'");
    }
    store::Statement update = db.prepare(
        "UPDATE Playlist SET grupa = ?, name = ?, tvgname = ?, tvgid = ?, link = ?, logo = ?, "
        "type = ?, parent_code = ? WHERE rowid = ?");
    update.bindAll(*grupa, fields.name, fields.tvgname, fields.tvgid, fields.link, fields.logo,
                   fields.type);
    bindParentCode(update, 8, fields.parentCode);
    update.bind(9, rowid);
    update.run();
    EditedChannel result{store::compareText(old->grupa, *grupa) != 0, old->grupa};
    if (result.moved) {
        store::Zapisi_Nove_Brojeve(db);
        recountGroups(db, {old->grupa, *grupa});
    } else {
        const std::int64_t first =
            db.scalarInt("SELECT min(broj) FROM Playlist WHERE grupa = ?", 0, *grupa);
        store::Zapisi_Nove_Brojeve_Channels(db, *grupa, first);
    }
    tx.commit();
    return result;
}

} // namespace listrion::editing
