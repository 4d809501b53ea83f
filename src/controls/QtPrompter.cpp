#include "controls/QtPrompter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace listrion::controls {
namespace {

// The program sets no application display name (Qt would add it to every window title).
QString boxTitle(const QString& title)
{
    return title.isEmpty() ? QStringLiteral("Listrion") : title;
}

// A message box over `parent` whose buttons carry the language file's captions where given.
int askBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
           QMessageBox::StandardButtons buttons, const Prompter::ButtonTexts& captions)
{
    QMessageBox box(icon, boxTitle(title), text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, QString> named[] = {
        {QMessageBox::Yes, captions.yes},
        {QMessageBox::No, captions.no},
        {QMessageBox::Ok, captions.ok}};
    for (const auto& [which, caption] : named) {
        if (QAbstractButton* button = box.button(which); button != nullptr && !caption.isEmpty()) {
            button->setText(caption);
        }
    }
    if (buttons.testFlag(QMessageBox::Yes)) {
        box.setDefaultButton(QMessageBox::Yes);
    }
    return box.exec();
}

} // namespace

void QtPrompter::message(const QString& text, const QString& title)
{
    askBox(m_parent, QMessageBox::Information, title, text, QMessageBox::Ok, buttonTexts());
}

bool QtPrompter::question(const QString& text, const QString& title)
{
    return askBox(m_parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  buttonTexts()) == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& proposed, int minimumWidth)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName("InputBox");
    dialog.setWindowTitle(boxTitle(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    // The dialog's layout sets its own minimum size; the width is asked of the answer's box.
    if (auto* box = dialog.findChild<QLineEdit*>()) {
        box->setMinimumWidth(minimumWidth);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

std::optional<QString> QtPrompter::openFile(const FileRequest& request)
{
    const QString path =
        QFileDialog::getOpenFileName(m_parent, request.title, request.proposedName, request.filter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> QtPrompter::saveFile(const FileRequest& request)
{
    QFileDialog dialog(m_parent, request.title, QString(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window asks about overwriting itself, with its own texts.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.proposedName.isEmpty()) {
        dialog.selectFile(request.proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty() || QFileInfo(path).fileName().isEmpty()) {
        return std::nullopt;
    }
    // A native dialog may not apply the default suffix itself.
    return withDefaultExtension(path, request.defaultExtension);
}

} // namespace listrion::controls
