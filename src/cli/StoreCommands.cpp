// Commands that show what the store holds: info, groups, channels.
#include "cli/Command.h"
#include "cli/TsvWriter.h"
#include "store/Tables.h"
#include "store/Transaction.h"

#include <ostream>

namespace listrion::cli {
namespace {

int info(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    store::Database& db = ctx.database();
    // The three figures of one committed state, whatever a writer beside it commits meanwhile.
    const store::ReadTransaction view(db);
    const auto chosen = store::chosenPlaylist(db);
    const auto codepage = store::playlistCodepage(db);
    ctx.out() << "program folder: " << ctx.folder().path().string() << '\n'
              << "groups: " << store::groupCount(db) << '\n'
              << "channels: " << store::channelCount(db) << '\n'
              << "playlist: " << (chosen ? *chosen : std::string("(none)")) << '\n'
              << "codepage: "
              << (codepage ? codepage->name + (codepage->bom ? " (byte-order mark)" : "")
                           : std::string("(none)"))
              << '\n';
    return 0;
}

int groups(Context& ctx, Arguments& args)
{
    const bool second = args.takeFlag("--second");
    args.finish(0, 0);
    store::Statement st = ctx.database().prepare(
        second
            ? "SELECT izberi, grupa, type, count, broj FROM Grupa_Second ORDER BY type, broj, rowid"
            : "SELECT izberi, grupa, type, count, broj FROM Grupa ORDER BY type, broj, rowid");
    TsvWriter out(ctx.out());
    while (st.step()) {
        out.integer(st.columnInt(0) != 0 ? 1 : 0);
        for (int column = 1; column < 5; ++column) {
            out.value(st.columnValue(column));
        }
        out.endLine();
    }
    return 0;
}

int channels(Context& ctx, Arguments& args)
{
    const auto group = args.takeOption("--group");
    const bool second = args.takeFlag("--second");
    args.finish(0, 0);
    const char* columns =
        second ? "SELECT izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, parent_code "
                 "FROM Playlist_Second "
               : "SELECT izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, parent_code "
                 "FROM Playlist ";
    store::Statement st =
        group
            ? ctx.database().prepare(std::string(columns) + "WHERE grupa = ? ORDER BY broj, rowid")
            : ctx.database().prepare(std::string(columns) + "ORDER BY broj, rowid");
    if (group) {
        st.bind(1, *group);
    }
    TsvWriter out(ctx.out());
    while (st.step()) {
        out.integer(st.columnInt(0) != 0 ? 1 : 0);
        for (int column = 1; column < 10; ++column) {
            out.value(st.columnValue(column));
        }
        out.endLine();
    }
    return 0;
}

} // namespace

void registerStoreCommands(CommandRegistry& registry)
{
    registry.add(
        {"info", "", "show the program folder, the counts, the chosen playlist and its code page",
         "The code page is the one the playlist was read with, which saving and the exports\n"
         "write; \"(byte-order mark)\" when its UTF-8 file began with one.",
         info, StoreUse::Reads});
    registry.add({"groups", "[--second]",
                  "list the groups: izberi, grupa, type, count, broj (tab-separated)",
                  "One line per group, ordered by type, broj and insertion order. With --second,\n"
                  "the groups of the staged second playlist (Grupa_Second).",
                  groups, StoreUse::Reads});
    registry.add(
        {"channels", "[--group NAME] [--second]",
         "list the channels: izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, "
         "parent_code",
         "One line per channel, ordered by broj and insertion order. With --group, only the\n"
         "channels whose group equals NAME as the store compares names (letter case and\n"
         "trailing spaces do not matter). With --second, the channels of the staged second\n"
         "playlist (Playlist_Second).",
         channels, StoreUse::Reads});
}

} // namespace listrion::cli
