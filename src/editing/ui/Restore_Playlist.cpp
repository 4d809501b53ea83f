#include "editing/ui/Restore_Playlist.h"

#include "controls/AutoResize.h"
#include "controls/BackgroundRun.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/ui/CopyList.h"
#include "settings/TextCatalogue.h"
#include "store/NamedBackups.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Restore_Playlist::Restore_Playlist(store::Database& db, const settings::TextSource& texts,
                                   controls::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_db(db), m_texts(texts), m_prompter(prompter)
{
    setObjectName("Restore_Playlist");
    new controls::AutoResize(this);
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    cmdRestore = new controls::Gumb(this);
    cmdRestore->setObjectName("cmdRestore");
    cmdCancel = new controls::Gumb(this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(buttons);

    connect(cmdRestore, &QAbstractButton::clicked, this, &Restore_Playlist::restoreChosen);
    connect(cmdCancel, &QAbstractButton::clicked, this, &QDialog::reject);
    Prevedi();
    Prikazi_Kopije();
}

void Restore_Playlist::Prevedi()
{
    const auto text = [this](settings::TextKey key) {
        return QString::fromStdString(m_texts.text(key));
    };
    setWindowTitle(text(settings::Texts::RestoreCaption));
    cmdRestore->setText(text(settings::Texts::RestoreButton));
    cmdCancel->setText(text(settings::Texts::RestoreCancelButton));
}

void Restore_Playlist::Prikazi_Kopije()
{
    fillCopyList(*List1, m_db);
}

void Restore_Playlist::restoreChosen()
{
    const QListWidgetItem* chosen = List1->currentItem();
    if (List1->count() == 0 || chosen == nullptr || !chosen->isSelected()) {
        return;
    }
    const std::string number = store::Najdi_Stevilko_Kopije(chosen->text().toStdString());
    store::RestoreCopyResult result = store::RestoreCopyResult::NoSuchCopy;
    try {
        // A large copy takes seconds to bring back: the windows keep repainting meanwhile.
        const bool ran = controls::runInBackground(
            this, m_db.file(), "Please wait. Playlist is loading...",
            "Restore the backup copy " + number,
            [&](store::Database& worker) { result = store::Restore_Playlist(worker, number); });
        if (!ran) {
            return; // cancelled: the working tables are as they were
        }
    } catch (const std::exception& error) {
        m_prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    if (result != store::RestoreCopyResult::Restored) {
        // The working tables are left as they were.
        m_prompter.message("The copy " + chosen->text() +
                           " is incomplete (its group table is missing); nothing was restored.");
        return;
    }
    m_prompter.message(QString::fromStdString(m_texts.text(settings::Texts::RestoreDone)));
    emit restored();
    accept();
}

} // namespace listrion::editing::ui
