// Commands that add, change, delete, move, copy and rename channels and set parental codes, as
// the main window and the channel editor do. Each is one transaction; a refused command changes
// nothing.
#include "editing/ChannelCommands.h"
#include "cli/Command.h"
#include "editing/ChannelEntry.h"
#include "editing/ChannelNameTools.h"
#include "editing/ParentalCodes.h"

#include <ostream>
#include <stdexcept>

namespace listrion::cli {
namespace {

using editing::ChannelSelection;

std::string inQuotes(const std::string& name)
{
    return "'" + name + "'";
}

struct Channel {
    std::int64_t rowid = 0;
    std::string grupa;
    std::string name;
};

Channel channelAt(store::Database& db, const std::string& brojText)
{
    const std::int64_t broj = parseInteger(brojText, "BROJ");
    store::Statement st =
        db.prepare("SELECT rowid, grupa, name FROM Playlist WHERE broj = ? ORDER BY rowid LIMIT 1");
    st.bind(1, broj);
    if (!st.step()) {
        throw std::runtime_error("no channel at position " + brojText);
    }
    return {st.columnInt(0), st.columnText(1), st.columnText(2)};
}

std::int64_t positionOf(store::Database& db, std::int64_t rowid)
{
    return db.scalarInt("SELECT broj FROM Playlist WHERE rowid = ?", 0, rowid);
}

// The field options of add-channel and edit-channel, over `fields`.
void takeFields(Arguments& args, editing::ChannelFields& fields)
{
    const std::pair<const char*, std::string editing::ChannelFields::*> options[] = {
        {"--group", &editing::ChannelFields::grupa},
        {"--name", &editing::ChannelFields::name},
        {"--tvgname", &editing::ChannelFields::tvgname},
        {"--tvgid", &editing::ChannelFields::tvgid},
        {"--logo", &editing::ChannelFields::logo},
        {"--link", &editing::ChannelFields::link},
        {"--type", &editing::ChannelFields::type},
        {"--parent-code", &editing::ChannelFields::parentCode}};
    for (const auto& [option, field] : options) {
        if (std::optional<std::string> value = args.takeOption(option)) {
            fields.*field = *value;
        }
    }
}

int addChannel(Context& ctx, Arguments& args)
{
    editing::ChannelFields fields;
    fields.type = "Live";
    fields.tvgid = "ext";
    takeFields(args, fields);
    args.finish(0, 0);
    if (fields.tvgname.empty()) {
        fields.tvgname = fields.name;
    }
    const editing::AddedChannel added = editing::addChannel(ctx.database(), fields);
    ctx.out() << "added channel " << inQuotes(fields.name) << " to " << inQuotes(fields.grupa)
              << (added.groupCreated ? " (a new group)" : "") << " at position " << added.broj
              << '\n';
    return 0;
}

int editChannel(Context& ctx, Arguments& args)
{
    editing::ChannelFields fields;
    // The channel's current fields, then the options over them.
    store::Database& db = ctx.database();
    Arguments copy = args;
    editing::ChannelFields ignored;
    takeFields(copy, ignored);
    const Channel channel = channelAt(db, copy.finish(1, 1).front());
    fields = *editing::readChannel(db, channel.rowid);
    takeFields(args, fields);
    args.finish(1, 1);
    const editing::EditedChannel edited = editing::editChannel(db, channel.rowid, fields);
    ctx.out() << "changed channel " << inQuotes(fields.name);
    if (edited.moved) {
        ctx.out() << " and moved it from " << inQuotes(edited.from) << " to "
                  << inQuotes(fields.grupa);
    }
    ctx.out() << " (position " << positionOf(db, channel.rowid) << ")\n";
    return 0;
}

int deleteChannel(Context& ctx, Arguments& args)
{
    const bool drop = args.takeFlag("--drop-empty-group");
    const Channel channel = channelAt(ctx.database(), args.finish(1, 1).front());
    const editing::DeletedChannels d =
        editing::deleteChannels(ctx.database(), ChannelSelection::one(channel.rowid),
                                drop ? editing::EmptiedGroup::Remove : editing::EmptiedGroup::Keep);
    ctx.out() << "deleted channel " << inQuotes(channel.name) << " of " << inQuotes(d.grupa)
              << (d.groupRemoved ? "; the emptied group was removed" : "") << '\n';
    return 0;
}

int deleteChannels(Context& ctx, Arguments& args)
{
    const auto group = args.takeOption("--group");
    if (!args.takeFlag("--ticked") || !group) {
        throw UsageError("--ticked and --group NAME are required");
    }
    args.finish(0, 0);
    const editing::DeletedChannels d = editing::deleteChannels(
        ctx.database(), ChannelSelection::tickedIn(*group), editing::EmptiedGroup::Keep);
    ctx.out() << "deleted " << d.channels << " ticked channels of " << inQuotes(d.grupa) << '\n';
    return 0;
}

// --broj N or --ticked [--group S]; `groupNeeded` when --ticked requires --group.
ChannelSelection selection(Context& ctx, Arguments& args, bool groupNeeded,
                           std::optional<std::string>& source)
{
    const auto broj = args.takeOption("--broj");
    const bool ticked = args.takeFlag("--ticked");
    source = args.takeOption("--group");
    if (broj.has_value() == ticked) {
        throw UsageError("say which channels: --broj N or --ticked");
    }
    if (broj) {
        const Channel channel = channelAt(ctx.database(), *broj);
        source = channel.grupa;
        return ChannelSelection::one(channel.rowid);
    }
    if (!source && groupNeeded) {
        throw UsageError("--ticked needs --group NAME");
    }
    return source ? ChannelSelection::tickedIn(*source) : ChannelSelection::allTicked();
}

int moveToGroup(Context& ctx, Arguments& args)
{
    std::optional<std::string> source;
    const ChannelSelection which = selection(ctx, args, false, source);
    const std::string target = args.finish(1, 1).front();
    const editing::MovedChannels moved =
        editing::moveChannelsToGroup(ctx.database(), which, target, std::nullopt);
    ctx.out() << "moved " << moved.channels << " channels to " << inQuotes(target) << '\n';
    return 0;
}

int copyToGroup(Context& ctx, Arguments& args)
{
    std::optional<std::string> source;
    const ChannelSelection which = selection(ctx, args, true, source);
    const std::string target = args.finish(1, 1).front();
    const std::int64_t copies = editing::copyChannelsToGroup(ctx.database(), which, target);
    ctx.out() << "copied " << copies << " channels to " << inQuotes(target) << '\n';
    return 0;
}

int channelNames(Context& ctx, Arguments& args)
{
    const auto group = args.takeOption("--group");
    editing::ChannelNameEdit edit;
    edit.names = args.takeFlag("--name");
    edit.tvgNames = args.takeFlag("--tvgname");
    const auto a = args.finish(1, 3);
    static constexpr std::tuple<const char*, editing::ChannelNameTool, std::size_t> kTools[] = {
        {"prefix", editing::ChannelNameTool::Prefix, 2},
        {"suffix", editing::ChannelNameTool::Suffix, 2},
        {"strip", editing::ChannelNameTool::Strip, 1},
        {"replace", editing::ChannelNameTool::Replace, 3},
        {"capitalize", editing::ChannelNameTool::Capitalize, 1},
        {"upper", editing::ChannelNameTool::Upper, 1}};
    std::size_t needed = 0;
    for (const auto& [name, tool, count] : kTools) {
        if (a[0] == name) {
            edit.tool = tool;
            needed = count;
        }
    }
    if (needed == 0) {
        throw UsageError("'" + a[0] +
                         "' is not one of prefix, suffix, strip, replace, "
                         "capitalize, upper");
    }
    if (a.size() != needed || !group) {
        throw UsageError(a[0] + " takes " + std::to_string(needed - 1) +
                         " text argument(s) and --group NAME|All");
    }
    if (needed >= 2 && a[1].empty()) {
        throw UsageError("the text is empty");
    }
    edit.text = needed >= 2 ? a[1] : std::string();
    edit.replacement = needed == 3 ? a[2] : std::string();
    const std::optional<std::string> scope =
        *group == "All" ? std::nullopt : std::optional<std::string>(*group);
    const std::int64_t changed = editing::applyChannelNameEdit(ctx.database(), edit, scope);
    ctx.out() << "changed " << changed << " channels\n";
    return 0;
}

int parentCode(Context& ctx, Arguments& args)
{
    const auto a = args.finish(2, 3);
    if (a[0] == "set" && a.size() == 3) {
        const std::int64_t channels = editing::setGroupParentCode(ctx.database(), a[1], a[2]);
        ctx.out() << "set the parental code of " << inQuotes(a[1]) << " (" << channels
                  << " channels)\n";
        return 0;
    }
    if (a[0] == "remove" && a.size() == 2) {
        const bool removed = editing::removeGroupParentCode(ctx.database(), a[1]);
        ctx.out() << (removed ? "removed the parental code of " + inQuotes(a[1])
                              : "nothing to remove: " + inQuotes(a[1]) + " has no parental code")
                  << '\n';
        return 0;
    }
    throw UsageError("set GROUP CODE or remove GROUP");
}

} // namespace

void registerChannelCommands(CommandRegistry& registry)
{
    registry.add({"add-channel",
                  "--group G --name N --link L [--tvgname T] [--tvgid I] [--logo U] "
                  "[--type Live|VOD|Radio] [--parent-code C]",
                  "add a channel after the last channel of its group",
                  "The tvg-name is the name unless given, the type Live and the EPG id \"ext\".\n"
                  "A group nobody has yet is added at the end. Every channel is numbered afresh.",
                  addChannel});
    registry.add({"edit-channel",
                  "BROJ [--group G] [--name N] [--tvgname T] [--tvgid I] [--logo U] [--link L] "
                  "[--type T] [--parent-code C]",
                  "change the fields of the channel at position BROJ",
                  "A new --group moves the channel there; every channel is numbered afresh then.",
                  editChannel});
    registry.add({"delete-channel", "BROJ [--drop-empty-group]",
                  "delete the channel at position BROJ",
                  "Its group is numbered afresh from its first number; a group left without\n"
                  "channels stays unless --drop-empty-group is given.",
                  deleteChannel});
    registry.add({"delete-channels", "--ticked --group G", "delete the ticked channels of a group",
                  "", deleteChannels});
    registry.add({"move-to-group", "TARGET (--broj N | --ticked [--group S])",
                  "move channels to another group",
                  "--ticked without --group moves every ticked channel of the playlist.",
                  moveToGroup});
    registry.add({"copy-to-group", "TARGET (--broj N | --ticked --group S)",
                  "copy channels to another group",
                  "A single copy goes after the target's last channel; ticked copies where their\n"
                  "numbers place them. Copies have no type.",
                  copyToGroup});
    registry.add({"channel-names",
                  "prefix|suffix TEXT | strip | replace FIND REPLACEMENT | capitalize | upper "
                  "--group G|All [--name] [--tvgname]",
                  "edit channel names as the channel editor's tools do",
                  "prefix and suffix work on the ticked channels and clear every tick; they and\n"
                  "replace change the name (--name), the tvg-name (--tvgname) or both. strip,\n"
                  "capitalize and upper change both.",
                  channelNames});
    registry.add({"parent-code", "set GROUP CODE | remove GROUP",
                  "set or remove the parental code of a group's channels", "A code is four digits.",
                  parentCode});
}

} // namespace listrion::cli
