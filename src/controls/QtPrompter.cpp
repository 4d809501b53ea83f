#include "controls/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace listrion::controls {
namespace {

QString boxTitle(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

} // namespace

void QtPrompter::message(const QString& text, const QString& title)
{
    QMessageBox::information(m_parent, boxTitle(title), text, QMessageBox::Ok);
}

bool QtPrompter::question(const QString& text, const QString& title)
{
    return QMessageBox::question(m_parent, boxTitle(title), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& proposed)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, boxTitle(title), prompt, QLineEdit::Normal, proposed, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return answer;
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
