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

// The window that brings back one of the numbered copies of the playlist: the working tables
// are replaced by the chosen copy, which stays. The window that opened it re-reads its grids on
// restored().
class Restore_Playlist : public QDialog {
    Q_OBJECT

public:
    Restore_Playlist(store::Database& db, const settings::TextSource& texts,
                     controls::Prompter& prompter, QWidget* parent = nullptr);

signals:
    // The working tables now hold the chosen copy.
    void restored();

private:
    void Prevedi();
    void Prikazi_Kopije();
    void restoreChosen();

    store::Database& m_db;
    const settings::TextSource& m_texts;
    controls::Prompter& m_prompter;
    QListWidget* List1 = nullptr;
    controls::Gumb* cmdRestore = nullptr;
    controls::Gumb* cmdCancel = nullptr;
};

} // namespace listrion::editing::ui
