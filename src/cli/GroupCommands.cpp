// Commands that add, rename, delete, move and retype groups and edit group names, as the main
// window and the group editor do. Each is one transaction; a refused command changes nothing.
#include "editing/GroupCommands.h"
#include "cli/Command.h"
#include "editing/EditRefused.h"
#include "editing/GroupNameTools.h"

#include <ostream>

namespace listrion::cli {
namespace {

using editing::GroupNameTool;

std::string inQuotes(const std::string& name)
{
    return "'" + name + "'";
}

int addGroup(Context& ctx, Arguments& args)
{
    const std::string type = args.takeOption("--type").value_or("Live");
    const std::string name = args.finish(1, 1).front();
    const std::int64_t broj = editing::addGroup(ctx.database(), name, type);
    ctx.out() << "added group " << inQuotes(name) << " (" << type << ") at position " << broj
              << '\n';
    return 0;
}

int renameGroup(Context& ctx, Arguments& args)
{
    const bool merge = args.takeFlag("--merge");
    const auto a = args.finish(2, 2);
    const editing::RenamedGroup r = editing::renameGroup(
        ctx.database(), a[0], a[1], merge ? editing::OnMerge::Merge : editing::OnMerge::Refuse);
    ctx.out() << (r.merged ? "merged group " : "renamed group ") << inQuotes(a[0])
              << (r.merged ? " into " : " to ") << inQuotes(r.name) << " (" << r.channels
              << " channels)\n";
    return 0;
}

int deleteGroup(Context& ctx, Arguments& args)
{
    const std::string name = args.finish(1, 1).front();
    const editing::DeletedGroups d =
        editing::deleteGroup(ctx.database(), name, editing::GroupGaps::ByTypeAndPosition);
    ctx.out() << "deleted group " << inQuotes(name) << " and its " << d.channels << " channels\n";
    return 0;
}

int deleteGroups(Context& ctx, Arguments& args)
{
    if (!args.takeFlag("--ticked")) {
        throw UsageError("--ticked is required");
    }
    args.finish(0, 0);
    const editing::DeletedGroups d =
        editing::deleteTickedGroups(ctx.database(), editing::GroupGaps::ByTypeAndPosition);
    ctx.out() << "deleted " << d.groups << " ticked groups and their " << d.channels
              << " channels\n";
    return 0;
}

int groupType(Context& ctx, Arguments& args)
{
    const auto a = args.finish(2, 2);
    const std::int64_t channels = editing::setGroupType(ctx.database(), a[0], a[1]);
    ctx.out() << "set the type of group " << inQuotes(a[0]) << " and its " << channels
              << " channels to " << a[1] << '\n';
    return 0;
}

GroupNameTool tool(const std::string& given)
{
    static constexpr std::pair<const char*, GroupNameTool> kTools[] = {
        {"prefix", GroupNameTool::Prefix},         {"suffix", GroupNameTool::Suffix},
        {"strip", GroupNameTool::Strip},           {"replace", GroupNameTool::Replace},
        {"capitalize", GroupNameTool::Capitalize}, {"upper", GroupNameTool::Upper}};
    for (const auto& [name, value] : kTools) {
        if (given == name) {
            return value;
        }
    }
    throw UsageError("'" + given +
                     "' is not one of prefix, suffix, strip, replace, capitalize, "
                     "upper");
}

int groupNames(Context& ctx, Arguments& args)
{
    const bool merge = args.takeFlag("--merge");
    const auto a = args.finish(1, 3);
    editing::GroupNameEdit edit;
    edit.tool = tool(a[0]);
    const std::size_t needed =
        edit.tool == GroupNameTool::Replace                                        ? 3
        : edit.tool == GroupNameTool::Prefix || edit.tool == GroupNameTool::Suffix ? 2
                                                                                   : 1;
    if (a.size() != needed) {
        throw UsageError(a[0] + " takes " + std::to_string(needed - 1) + " text argument(s)");
    }
    if (needed >= 2) {
        edit.text = a[1];
    }
    if (edit.tool == GroupNameTool::Replace && edit.text.empty()) {
        throw UsageError("the text to find is empty");
    }
    if ((edit.tool == GroupNameTool::Prefix || edit.tool == GroupNameTool::Suffix) &&
        edit.text.empty()) {
        throw UsageError("the text to add is empty");
    }
    if (needed == 3) {
        edit.replacement = a[2];
    }
    const editing::GroupNamesChanged r = editing::applyGroupNameEdit(
        ctx.database(), edit, merge ? editing::OnMerge::Merge : editing::OnMerge::Refuse);
    ctx.out() << "renamed " << r.groups << " groups (" << r.channels << " channels, " << r.merged
              << " merged)\n";
    return 0;
}

} // namespace

void registerGroupCommands(CommandRegistry& registry)
{
    registry.add({"add-group", "NAME [--type Live|VOD|Radio]", "add a group at the end",
                  "The type is Live unless given. A name another group has is refused.", addGroup});
    registry.add({"rename-group", "OLD NEW [--merge]", "rename a group and its channels",
                  "When another group already has the new name the rename is refused, unless\n"
                  "--merge moves the channels into that group and removes the renamed one.",
                  renameGroup});
    registry.add({"delete-group", "NAME", "delete a group and its channels",
                  "The groups are numbered afresh by type and position.", deleteGroup});
    registry.add({"delete-groups", "--ticked", "delete the ticked groups and their channels",
                  "The groups are numbered afresh by type and position.", deleteGroups});
    registry.add({"group-type", "NAME Live|VOD|Radio",
                  "set the type of a group and of all its channels",
                  "The group keeps its position until the groups are renumbered.", groupType});
    registry.add(
        {"group-names",
         "prefix TEXT | suffix TEXT | strip | replace FIND REPLACEMENT | capitalize | upper "
         "[--merge]",
         "edit the names of groups as the group editor's tools do",
         "prefix and suffix: the ticked groups get TEXT and a blank before or after their\n"
         "names (nothing ticked: refused). strip: prefixes before '|' and ':' and bracketed\n"
         "tags are removed. replace: every FIND becomes REPLACEMENT (case-sensitive).\n"
         "capitalize: proper case, country codes and HD, SD, TV, ... upper case. upper: upper\n"
         "case. The channels follow their groups. When new names make groups one, the command\n"
         "is refused unless --merge merges them.",
         groupNames});
}

} // namespace listrion::cli
