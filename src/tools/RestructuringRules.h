#pragma once

#include "store/Database.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listrion::tools {

// izdvoji.mdb cannot be used: it is missing, not a database, or lacks a table or column.
class RuleFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A channel of group `grupa1` named `ime1` moves to group `grupa2` and is named `ime2`.
struct ChannelRule {
    std::string grupa1;
    std::string ime1;
    std::string grupa2;
    std::string ime2;
};

// The rules of the regional restructuring as izdvoji.mdb holds them, every text trimmed of
// blanks, in table order. Rows that lack a text the rule needs are left out.
struct RestructuringRules {
    std::vector<std::string> chosen;                          // Izloci
    std::vector<std::string> newGroups;                       // grupa_novo
    std::vector<std::pair<std::string, std::string>> renames; // Grupa: Grupa1 -> Grupa2
    std::vector<ChannelRule> channelRules;                    // Spremeni_Skupino
};

// Opens izdvoji.mdb; throws RuleFileError when it is missing or damaged.
store::Database openRuleFile(const std::filesystem::path& file);
// Replaces izdvoji.mdb (whatever it holds) with one holding the empty tables.
void recreateRuleFile(const std::filesystem::path& file);

RestructuringRules readRules(store::Database& rules);

// The chosen groups (Izloci). Each change is one transaction.
enum class ChooseResult { Added, AlreadyChosen, Empty };
// Adds the name, trimmed; an empty name or one chosen already (as the store compares names) is
// not added.
ChooseResult chooseGroup(store::Database& rules, std::string_view group);
// Takes the name off the list; false when it was not chosen.
bool unchooseGroup(store::Database& rules, std::string_view group);
// Empties the list; returns the number of names taken off.
std::int64_t unchooseAll(store::Database& rules);

} // namespace listrion::tools
