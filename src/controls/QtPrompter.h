#pragma once

#include "controls/Prompter.h"

class QWidget;

namespace listrion::controls {

// The Prompter of the running program: Qt's message boxes, input dialog and file dialogs,
// opened over the window it was given.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title = {}) override;
    bool question(const QString& text, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& proposed = {}, int minimumWidth = 0) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace listrion::controls
