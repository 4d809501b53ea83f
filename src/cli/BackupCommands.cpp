// Commands for the undo snapshot, the named backups and the compaction of data.mdb.
#include "cli/Command.h"
#include "store/Compaction.h"
#include "store/NamedBackups.h"
#include "store/Tables.h"
#include "store/UndoSnapshot.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace listrion::cli {
namespace {

std::string counts(const store::Database& db)
{
    return std::to_string(store::groupCount(db)) + " groups, " +
           std::to_string(store::channelCount(db)) + " channels";
}

int undo(Context& ctx, Arguments& args)
{
    const bool editor = args.takeFlag("--editor");
    args.finish(0, 0);
    store::Database& db = ctx.database();
    const store::RestoreForm form =
        editor ? store::RestoreForm::Editor : store::RestoreForm::MainWindow;
    if (store::Restore(db, form) == store::RestoreResult::NoSnapshot) {
        throw std::runtime_error("there is no undo snapshot; nothing changed");
    }
    ctx.out() << "restored the playlist as loaded: " << counts(db)
              << (editor ? "" : "; second playlist and EPG source emptied") << '\n';
    return 0;
}

int backup(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    const store::NamedBackup made = store::Naredi_Backup(ctx.database());
    ctx.out() << "made backup " << made.playlistTable << " and " << made.grupaTable << '\n';
    return 0;
}

int backups(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    for (const std::string& name : store::Prikazi_Kopije(ctx.database())) {
        ctx.out() << name << '\n';
    }
    return 0;
}

int restore(Context& ctx, Arguments& args)
{
    std::string number = store::Najdi_Stevilko_Kopije(args.finish(1, 1).front());
    const long long value = parseInteger(number, "NN");
    if (value < 0 || number.starts_with('-') || number.starts_with('+')) {
        throw UsageError("NN must be a backup number, not '" + number + "'");
    }
    store::Database& db = ctx.database();
    const auto listed = store::Prikazi_Kopije(db);
    const bool exact =
        std::find(listed.begin(), listed.end(), "Playlist_Backup_" + number) != listed.end();
    if (!exact && value <= std::numeric_limits<int>::max()) {
        number = store::copyNumberText(static_cast<int>(value)); // "2" means 02
    }
    switch (store::Restore_Playlist(db, number)) {
    case store::RestoreCopyResult::NoSuchCopy:
        throw std::runtime_error("there is no backup " + number + "; nothing changed");
    case store::RestoreCopyResult::MissingGroupCopy:
        throw std::runtime_error("backup " + number + " has no Grupa_Backup_" + number +
                                 " table; nothing changed");
    case store::RestoreCopyResult::Restored:
        break;
    }
    ctx.out() << "restored backup " << number << ": " << counts(db) << '\n';
    return 0;
}

int compact(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    // No connection of this command may be open: compaction needs the file to itself.
    const store::CompactResult r = store::Compact_Database(ctx.folder().dataMdb());
    switch (r.status) {
    case store::CompactStatus::Compacted:
        ctx.out() << "compacted data.mdb: " << r.sizeBefore / 1024 << " KB -> "
                  << r.sizeAfter / 1024 << " KB\n";
        return 0;
    case store::CompactStatus::NoDatabase:
        ctx.out() << "nothing to compact: there is no data.mdb\n";
        return 0;
    case store::CompactStatus::InUse:
    case store::CompactStatus::Failed:
        break;
    }
    throw std::runtime_error("data.mdb was not compacted and is unchanged: " + r.message);
}

} // namespace

void registerBackupCommands(CommandRegistry& registry)
{
    registry.add({"undo", "[--editor]", "return to the playlist as it was loaded",
                  "Replaces the groups and channels with the undo snapshot; the snapshot stays.\n"
                  "Without --editor (as the main window does) the second playlist of a merge and\n"
                  "the EPG source are emptied too. Fails when there is no snapshot.",
                  undo});
    registry.add({"backup", "", "keep a numbered copy of the playlist inside data.mdb",
                  "Creates Playlist_Backup_NN and Grupa_Backup_NN with the first free numbers.",
                  backup});
    registry.add({"backups", "", "list the numbered copies, one table name a line", "", backups,
                  StoreUse::Reads});
    registry.add({"restore", "NN", "replace the playlist with numbered copy NN",
                  "NN as listed by backups (02, or 2, or the table name). The copy stays.",
                  restore});
    registry.add({"compact", "", "compact data.mdb",
                  "Writes a compacted copy and puts it in place of data.mdb in one step. Refused\n"
                  "while another program has data.mdb open; data.mdb is never lost.",
                  compact});
}

} // namespace listrion::cli
