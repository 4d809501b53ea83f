#include "editing/ui/RestoreBox.h"

#include "controls/Gumb.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/Backup_Playlist.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/Restore_Playlist.h"
#include "settings/TextCatalogue.h"
#include "store/UndoSnapshot.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>

namespace listrion::editing::ui {
namespace {

// cmdChannel_undo2: the editors' form of the undo to the playlist as it was loaded.
void undoAll(const EditingContext& context)
{
    store::RestoreResult result = store::RestoreResult::NoSnapshot;
    try {
        result = undoAllChanges(context.db, store::RestoreForm::Editor);
    } catch (const std::exception& error) {
        context.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    if (result == store::RestoreResult::NoSnapshot) {
        context.message(settings::Texts::NothingToUndo);
        return;
    }
    publishChange(context, StoreChange::Playlist);
    context.message(settings::Texts::UndoDone);
}

} // namespace

QWidget* buildRestoreBox(QWidget* window, const EditingContext& context)
{
    auto* box = new QGroupBox("Restore", window);
    auto* layout = new QHBoxLayout(box);
    auto button = [box, layout](const char* name, const char* caption) {
        auto* gumb = new controls::Gumb(caption, box);
        gumb->setObjectName(name);
        gumb->setMinimumSize(40, 28);
        layout->addWidget(gumb);
        return gumb;
    };
    QObject::connect(button("cmdSave", "Backup"), &QAbstractButton::clicked, window, [&context] {
        Backup_Playlist::offerBackup(context.db, context.texts, context.prompter);
    });
    QObject::connect(button("cmdChannel_undo2", "Undo"), &QAbstractButton::clicked, window,
                     [&context] { undoAll(context); });
    QObject::connect(
        button("cmdLast_undo", "Restore backup"), &QAbstractButton::clicked, window,
        [window, &context] {
            Restore_Playlist restore(context.db, context.texts, context.prompter, window);
            QObject::connect(&restore, &Restore_Playlist::restored, window,
                             [&context] { publishChange(context, StoreChange::Playlist); });
            restore.exec();
        });
    QObject::connect(button("cmdIzlaz", "Exit"), &QAbstractButton::clicked, window, [window] {
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->accept();
        } else {
            window->close();
        }
    });
    return box;
}

} // namespace listrion::editing::ui
