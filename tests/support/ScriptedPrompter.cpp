#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace listrion::test {
namespace {

// In the order of ScriptedPrompter::Kind.
const char* kindName(ScriptedPrompter::Kind kind)
{
    static constexpr const char* kNames[] = {"message", "question", "input box", "open-file dialog",
                                             "save-file dialog"};
    return kNames[static_cast<int>(kind)];
}

} // namespace

ScriptedPrompter::~ScriptedPrompter()
{
    verify();
}

ScriptedPrompter& ScriptedPrompter::acknowledge()
{
    m_answers.push_back({Kind::Message, true, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answer(bool yes)
{
    m_answers.push_back({Kind::Question, yes, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::type(std::optional<QString> text)
{
    m_answers.push_back({Kind::Input, text.has_value(), text.value_or(QString())});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::chooseFile(std::optional<QString> path)
{
    m_answers.push_back({Kind::OpenFile, path.has_value(), path.value_or(QString())});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::chooseSaveFile(std::optional<QString> path)
{
    m_answers.push_back({Kind::SaveFile, path.has_value(), path.value_or(QString())});
    return *this;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList list;
    for (const Asked& a : m_asked) {
        list << a.text;
    }
    return list;
}

void ScriptedPrompter::verify()
{
    for (const Answer& a : m_answers) {
        ADD_FAILURE() << "the window did not ask for the scripted " << kindName(a.kind);
    }
    m_answers.clear();
    m_asked.clear();
}

ScriptedPrompter::Answer ScriptedPrompter::take(Asked asked)
{
    const Kind kind = asked.kind;
    const QString text = asked.text;
    m_asked.push_back(std::move(asked));
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": " << text.toStdString();
        return {kind, false, {}};
    }
    if (m_answers.front().kind != kind) {
        ADD_FAILURE() << "expected a " << kindName(m_answers.front().kind) << ", the window "
                      << "showed a " << kindName(kind) << ": " << text.toStdString();
        m_answers.pop_front(); // reported once, here
        return {kind, false, {}};
    }
    Answer next = m_answers.front();
    m_answers.pop_front();
    return next;
}

std::optional<QString> ScriptedPrompter::takeText(Asked asked)
{
    const Answer a = take(std::move(asked));
    if (!a.yes) {
        return std::nullopt;
    }
    return a.text;
}

void ScriptedPrompter::message(const QString& text, const QString& title)
{
    take({Kind::Message, text, title, {}});
}

bool ScriptedPrompter::question(const QString& text, const QString& title)
{
    return take({Kind::Question, text, title, {}}).yes;
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString& title,
                                               const QString&, int minimumWidth)
{
    return takeText({Kind::Input, prompt, title, {}, minimumWidth});
}

std::optional<QString> ScriptedPrompter::openFile(const FileRequest& request)
{
    return takeText({Kind::OpenFile, request.title, {}, request});
}

std::optional<QString> ScriptedPrompter::saveFile(const FileRequest& request)
{
    const std::optional<QString> path = takeText({Kind::SaveFile, request.title, {}, request});
    return path ? std::optional<QString>(
                      controls::withDefaultExtension(*path, request.defaultExtension))
                : std::nullopt;
}

} // namespace listrion::test
