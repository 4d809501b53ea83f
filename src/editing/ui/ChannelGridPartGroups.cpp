// The channel grid's moves and copies to other groups, its dialogs and its parental codes.
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/CommandRun.h"

#include "editing/ChannelCommands.h"
#include "editing/ChannelGridModel.h"
#include "editing/ParentalCodes.h"
#include "editing/ui/Add_channel.h"
#include "editing/ui/Edit_Channel.h"
#include "settings/TextCatalogue.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace listrion::editing::ui {

void ChannelGridPart::watchRows()
{
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    rememberRow(settings::Keys::PozicijaK, current.row());
                }
            });
}

void ChannelGridPart::moveToGroup(const QString& target, bool wholeTable)
{
    const int row = currentRow();
    if (rows() == 0 || (row < 0 && !ticksShown())) {
        return;
    }
    const std::string source = row >= 0 ? model()->grupa(row) : group().value_or(std::string());
    const ChannelSelection which = !ticksShown() ? ChannelSelection::one(currentRowId())
                                   : wholeTable  ? ChannelSelection::allTicked()
                                                 : ChannelSelection::tickedIn(source);
    // A group the move empties goes only when the command began on the grid's first row.
    const std::optional<std::string> removable =
        row == 0 ? std::optional<std::string>(source) : std::nullopt;
    MovedChannels moved;
    if (!run("Move " +
                 (which.kind == ChannelSelection::Kind::One ? inQuotes(channelName(row))
                                                            : std::string("the ticked channels")) +
                 " to " + inQuotes(target.toStdString()),
             [&](store::Database& db) {
                 moved = moveChannelsToGroup(db, which, target.toStdString(), removable);
             })) {
        return;
    }
    if (ticksShown()) {
        resetModes();
    }
    publish(StoreChange::ChannelRows | StoreChange::GroupRows |
                (moved.sourceRemoved ? unsigned(StoreChange::GroupNames) : 0u),
            {source, target.toStdString()});
    // Postavi_Poziciju_Kanala: the row remembered in PozicijaK.
    selectRow(
        static_cast<int>(m_context().settings.readNumber(settings::Keys::PozicijaK).value_or(0)));
}

void ChannelGridPart::copyToGroup(const QString& target)
{
    const int row = currentRow();
    if (rows() == 0 || (row < 0 && !ticksShown())) {
        return;
    }
    const std::string source = row >= 0 ? model()->grupa(row) : group().value_or(std::string());
    const ChannelSelection which =
        ticksShown() ? ChannelSelection::tickedIn(source) : ChannelSelection::one(currentRowId());
    if (!run("Copy " +
                 (which.kind == ChannelSelection::Kind::One ? inQuotes(channelName(row))
                                                            : std::string("the ticked channels")) +
                 " to " + inQuotes(target.toStdString()),
             [&](store::Database& db) { copyChannelsToGroup(db, which, target.toStdString()); })) {
        return;
    }
    if (ticksShown()) {
        resetModes();
    }
    publish(StoreChange::ChannelRows | StoreChange::GroupRows, {target.toStdString()});
    selectRow(row);
    m_context().message(settings::Texts::CopyDone);
}

void ChannelGridPart::editChannel()
{
    if (rows() == 0 || currentRow() < 0) {
        return;
    }
    const EditingContext c = m_context();
    Edit_Channel dialog(c, currentRowId(), m_grid->window());
    dialog.exec();
}

void ChannelGridPart::addChannel(bool fromChannel)
{
    const int row = currentRow();
    const std::string preset =
        fromChannel && row >= 0 ? model()->grupa(row) : group().value_or(std::string());
    const EditingContext c = m_context();
    Add_channel dialog(c, QString::fromStdString(preset), m_grid->window());
    if (dialog.exec() == QDialog::Accepted && model() != nullptr) {
        selectRow(model()->rowOfId(dialog.addedRowId()));
    }
}

void ChannelGridPart::showParentCodeLabel(const std::string& grupa)
{
    const std::optional<std::string> code = groupParentCode(m_context().db, grupa);
    QStringList headers;
    for (int column = 0; column < model()->columnCount(); ++column) {
        headers << model()->headerData(column, Qt::Horizontal).toString();
    }
    if (headers.size() > 2) {
        headers[2] = code ? QString::fromStdString(*code) : QString("no parent code");
        model()->setHeaders(headers);
    }
}

void ChannelGridPart::addParentCode(bool fixedText)
{
    const int row = currentRow();
    if (rows() == 0) {
        return;
    }
    const std::string grupa = group().value_or(row >= 0 ? model()->grupa(row) : std::string());
    const EditingContext c = m_context();
    const QString code =
        c.prompter.input(c.text(settings::Texts::ParentCodePrompt)).value_or(QString());
    if (code.isEmpty()) {
        return;
    }
    switch (checkGroupParentCode(code.toStdString())) {
    case ChannelProblem::CodeNotNumeric:
        if (fixedText) {
            c.prompter.message(" There can only be numbers in the field !");
        } else {
            c.message(settings::Texts::CodeDigitsOnly);
        }
        return;
    case ChannelProblem::CodeTooLong:
        c.message(settings::Texts::CodeTooLong);
        return;
    case ChannelProblem::CodeTooShort:
        c.message(settings::Texts::CodeTooShort);
        return;
    default:
        break;
    }
    if (!run("Set the parental code of " + inQuotes(grupa),
             [&](store::Database& db) { setGroupParentCode(db, grupa, code.toStdString()); })) {
        return;
    }
    publish(StoreChange::ChannelRows, {grupa});
    showParentCodeLabel(grupa);
    c.message(settings::Texts::ChangesMade);
}

void ChannelGridPart::removeParentCode()
{
    const int row = currentRow();
    const std::string grupa = group().value_or(row >= 0 ? model()->grupa(row) : std::string());
    const EditingContext c = m_context();
    const QString name = QString::fromStdString(grupa);
    if (!groupParentCode(c.db, grupa)) {
        c.prompter.message("The " + name + " group has no parental code !");
        return;
    }
    if (!c.prompter.question("Are you sure you want to remove parental code for the group " + name +
                             " ?") ||
        rows() == 0) {
        return;
    }
    if (!run("Remove the parental code of " + inQuotes(grupa),
             [&](store::Database& db) { removeGroupParentCode(db, grupa); })) {
        return;
    }
    publish(StoreChange::ChannelRows, {grupa});
    showParentCodeLabel(grupa);
    c.message(settings::Texts::ChangesMade);
}

} // namespace listrion::editing::ui
