#include "editing/ui/Backup_Playlist.h"

#include "controls/AutoResize.h"
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
namespace {

QString text(const settings::TextSource& texts, settings::TextKey key)
{
    return QString::fromStdString(texts.text(key));
}

} // namespace

Backup_Playlist::Backup_Playlist(store::Database& db, const settings::TextSource& texts,
                                 controls::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_db(db), m_texts(texts), m_prompter(prompter)
{
    setObjectName("Backup_Playlist");
    new controls::AutoResize(this);
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    cmdBackup = new controls::Gumb(this);
    cmdBackup->setObjectName("cmdBackup");
    cmdCancel = new controls::Gumb(this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBackup);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(buttons);

    connect(cmdBackup, &QAbstractButton::clicked, this, [this] {
        if (Naredi_Backup(m_db, m_texts, m_prompter)) {
            accept();
        }
    });
    connect(cmdCancel, &QAbstractButton::clicked, this, &QDialog::reject);
    Prevedi();
    Prikazi_Kopije();
}

void Backup_Playlist::Prevedi()
{
    setWindowTitle(text(m_texts, settings::Texts::BackupCaption));
    cmdBackup->setText(text(m_texts, settings::Texts::BackupMakeButton));
    cmdCancel->setText(text(m_texts, settings::Texts::BackupCancelButton));
}

void Backup_Playlist::Prikazi_Kopije()
{
    fillCopyList(*List1, m_db);
}

bool Backup_Playlist::Naredi_Backup(store::Database& db, const settings::TextSource& texts,
                                    controls::Prompter& prompter)
{
    try {
        store::Naredi_Backup(db);
    } catch (const std::exception& error) {
        prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
    prompter.message(text(texts, settings::Texts::BackupMade));
    return true;
}

bool Backup_Playlist::offerBackup(store::Database& db, const settings::TextSource& texts,
                                  controls::Prompter& prompter)
{
    return prompter.question(text(texts, settings::Texts::BackupQuestion)) &&
           Naredi_Backup(db, texts, prompter);
}

} // namespace listrion::editing::ui
