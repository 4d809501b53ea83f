#pragma once

#include "editing/ui/EditingContext.h"

#include <functional>
#include <string>
#include <vector>

namespace listrion::editing::ui {

// Runs a store command of a window as the history step `name`, off the window thread on a
// connection of its own (the command must use the connection it is given); false after telling
// the user why it failed, or when the user cancelled it.
bool runCommand(const EditingContext& context, const std::string& name,
                const std::function<void(store::Database&)>& command);

// The same without the message: an error of the command is thrown again here, for a window
// that tells it in its own words. False when the user cancelled it.
bool runStoreWork(const EditingContext& context, const std::string& name,
                  const std::function<void(store::Database&)>& command);

// 'name' in single quotes, as the history names the things a step changed.
std::string inQuotes(const std::string& name);

// Tells every open window what a command changed.
void publishChange(const EditingContext& context, unsigned parts,
                   std::vector<std::string> groups = {});

} // namespace listrion::editing::ui
