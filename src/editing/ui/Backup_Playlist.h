#pragma once

#include <QDialog>

class QListWidget;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::settings {
class TextSource;
}
namespace listrion::store {
class Database;
}

namespace listrion::editing::ui {

// The window that keeps a numbered copy of the whole working playlist in data.mdb: it lists the
// copies there are and makes the next one.
class Backup_Playlist : public QDialog {
    Q_OBJECT

public:
    Backup_Playlist(store::Database& db, const settings::TextSource& texts,
                    controls::Prompter& prompter, QWidget* parent = nullptr);

    // What the save buttons of the windows do: ask whether to keep a copy and, on Yes, make it
    // at once without showing the window. True when a copy was made.
    static bool offerBackup(store::Database& db, const settings::TextSource& texts,
                            controls::Prompter& prompter);

private:
    // Makes the copy and tells the user; false (after telling why) when it failed.
    static bool Naredi_Backup(store::Database& db, const settings::TextSource& texts,
                              controls::Prompter& prompter);
    void Prevedi();
    void Prikazi_Kopije();

    store::Database& m_db;
    const settings::TextSource& m_texts;
    controls::Prompter& m_prompter;
    QListWidget* List1 = nullptr;
    controls::Gumb* cmdBackup = nullptr;
    controls::Gumb* cmdCancel = nullptr;
};

} // namespace listrion::editing::ui
