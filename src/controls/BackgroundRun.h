#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace listrion::store {
class Database;
}

namespace listrion::controls {

// Runs a long store command off the window thread on its own connection to data.mdb. The
// windows keep repainting; user input is held back, and when the command takes longer than a
// moment the progress window shows `text` with a Cancel button. Cancel interrupts the command,
// whose transaction then rolls back. Returns true when the command ran to its end, false when it
// was cancelled; an exception of the command is thrown again here, on the window thread.
bool runInBackground(QWidget* parent, const std::filesystem::path& dataMdb, const QString& text,
                     const std::function<void(store::Database&)>& work);
// The same for a command the history keeps as the step `step` (named on the worker's connection).
bool runInBackground(QWidget* parent, const std::filesystem::path& dataMdb, const QString& text,
                     const std::string& step, const std::function<void(store::Database&)>& work);

} // namespace listrion::controls
