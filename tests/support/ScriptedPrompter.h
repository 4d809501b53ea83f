#pragma once

#include "controls/Prompter.h"

#include <QStringList>

#include <deque>
#include <ostream>
#include <vector>

namespace listrion::test {

// The Prompter of window tests. A test queues the answers it expects the window to ask for, in
// order; every question the window asks is recorded. A question of another kind than the next
// queued answer, a question with no answer left and an answer left unused when the prompter
// is checked or destroyed fail the running test.
class ScriptedPrompter : public controls::Prompter {
public:
    enum class Kind { Message, Question, Input, OpenFile, SaveFile };

    struct Asked {
        Kind kind;
        QString text; // message, question or input prompt; the title of a file dialog
        QString title;
        FileRequest file;   // file dialogs only
        int inputWidth = 0; // input boxes only: the width asked for
    };

    ScriptedPrompter() = default;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
    ~ScriptedPrompter() override;

    // Queues the answers, in the order the window asks.
    ScriptedPrompter& acknowledge(); // an OK message box
    ScriptedPrompter& answer(bool yes);
    ScriptedPrompter& type(std::optional<QString> text);
    ScriptedPrompter& chooseFile(std::optional<QString> path);
    ScriptedPrompter& chooseSaveFile(std::optional<QString> path);

    // Everything asked so far, oldest first.
    const std::vector<Asked>& asked() const { return m_asked; }
    // The texts of the questions and messages asked so far.
    QStringList texts() const;
    // Fails the test when an answer is left unused, then forgets the queue and the record.
    void verify();

    void message(const QString& text, const QString& title = {}) override;
    bool question(const QString& text, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& proposed = {}, int minimumWidth = 0) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;

private:
    struct Answer {
        Kind kind;
        bool yes = false; // Yes to a question; an input or file given (not cancelled)
        QString text;
    };

    // Records the question and takes the next answer; a No or cancel (and a test failure) when
    // the queue holds no answer of that kind next.
    Answer take(Asked asked);
    std::optional<QString> takeText(Asked asked);

    std::deque<Answer> m_answers;
    std::vector<Asked> m_asked;
};

} // namespace listrion::test

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
