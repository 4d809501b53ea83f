#pragma once

#include "editing/GroupNameTools.h"
#include "editing/ui/EditingContext.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace listrion::controls {
class Gumb;
}

namespace listrion::editing {
class GroupGridModel;
}

namespace listrion::editing::ui {

class GroupGridPart;

// The group editor: the group list in its own grid with the moves, deletes and ticking modes of
// the main window's group grid, plus the text tools on group names (prefix and suffix for ticked
// groups, strip prefixes and tags, find and replace, capitalisation, upper case), the type
// change, the sort by name, the export of ticked groups, and the backup and undo buttons.
class Editor_Groups : public QDialog {
    Q_OBJECT

public:
    Editor_Groups(const EditingContext& context, QWidget* parent = nullptr);
    ~Editor_Groups() override;

    GroupGridPart& groupCommands() const { return *m_part; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid(QWidget* pane);
    void buildMenus(QMenu* menu);
    QWidget* buildTools();
    QWidget* buildTypeAndExport(QWidget* parent);
    controls::Gumb* button(QWidget* parent, const char* name, const QString& caption);
    void storeChanged(const StoreChange& change);
    void showFooter();
    // One of the three "select groups" boxes switched the grid to ticking or back.
    void tickingBox(QCheckBox* box, bool on);

    // The text tools, each ending with the grids re-read.
    void cmdAdd_first_parameter();
    void cmdAdd_last_parameter();
    void addParameter(QCheckBox* check, QLineEdit* box, GroupNameTool tool,
                      settings::TextKey emptyText);
    void cmdSpremeni_ime();
    void cmdZamijeniIme();
    void cmdCapitalize_text();
    void cmdUper_case();
    // Runs a name tool off the window thread, asking first when groups would merge; false when
    // nothing was changed (refused, No, Cancel).
    bool runNameTool(const GroupNameEdit& edit);

    void Napuni_Kombo_Grupa();
    void Postavi_Poziciju_Type();
    void cmdChange_type();
    void sortByName();
    void cmdExport();

    const EditingContext& m_context;
    GroupGridModel* m_model = nullptr;
    GroupGridPart* m_part = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_footer = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QLineEdit* txtAdd_first_parameter = nullptr;
    QLineEdit* txtAdd_last_parameter = nullptr;
    QLineEdit* txtIme1 = nullptr;
    QLineEdit* txtIme2 = nullptr;
    QComboBox* Combo_Grupa = nullptr;
    QComboBox* Combo_type = nullptr;
};

} // namespace listrion::editing::ui
