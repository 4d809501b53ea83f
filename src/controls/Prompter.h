#pragma once

#include <QString>

#include <optional>

namespace listrion::controls {

// Everything a window asks the user: message boxes, questions, input boxes and file dialogs.
// Windows never open these dialogs themselves; they ask the Prompter they were given, so the
// windows can be driven by a scripted one in tests.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An OK message box. An empty title shows the program's name.
    virtual void message(const QString& text, const QString& title = {}) = 0;

    // A Yes/No question; true for Yes. Closing the box counts as No.
    virtual bool question(const QString& text, const QString& title = {}) = 0;

    // An input box with a prompt and a proposed answer; nullopt when the user cancels. The box
    // is at least `minimumWidth` pixels wide, for long answers such as addresses.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = {},
                                         const QString& proposed = {}, int minimumWidth = 0) = 0;

    struct FileRequest {
        QString title;
        QString filter;           // "Playlist (*.m3u);;All files (*)"
        QString defaultExtension; // without the dot: "m3u"
        QString proposedName;     // a file name or a full path
    };

    // An open-file dialog; the chosen path, or nullopt when cancelled.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;

    // A save-file dialog; the chosen path with the default extension added when the user typed
    // none, or nullopt when cancelled. It does not ask about overwriting: the window does.
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;

    // The captions of the message boxes' buttons in the program's language; an empty one keeps
    // the caption of Qt's own translation.
    struct ButtonTexts {
        QString yes;
        QString no;
        QString ok;
    };
    void setButtonTexts(const ButtonTexts& texts) { m_buttonTexts = texts; }
    const ButtonTexts& buttonTexts() const { return m_buttonTexts; }

private:
    ButtonTexts m_buttonTexts;
};

// `path` with ".extension" appended when its file name has no extension ("out" → "out.m3u";
// "out.m3u8", "out.txt" and "out." stay as they are): what a save dialog returns.
QString withDefaultExtension(const QString& path, const QString& extension);

} // namespace listrion::controls
