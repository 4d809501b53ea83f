#pragma once

#include "editing/ChannelNameTools.h"
#include "editing/ui/EditingContext.h"

#include <QDialog>

#include <optional>
#include <string>

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
class ChannelGridModel;
}

namespace listrion::editing::ui {

class ChannelGridPart;

// The channel editor: the channels of the group chosen in ComboGroup (or of all groups) in its
// own grid, with the channel commands of the main window's channel grid, and the text tools on
// channel names and tvg-names (a text before or after the names of ticked channels, strip
// prefixes and tags, find and replace, capitalisation, upper case, sort by name).
class Editor_Channels : public QDialog {
    Q_OBJECT

public:
    // Opens on `group` (all channels when it is empty).
    Editor_Channels(const EditingContext& context, const std::string& group,
                    QWidget* parent = nullptr);
    ~Editor_Channels() override;

    ChannelGridPart& channelCommands() const { return *m_part; }
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid(QWidget* pane);
    void buildMenus(QMenu* menu);
    QWidget* buildTools();
    QWidget* buildParameterBox(QWidget* parent, bool first);
    QWidget* buildNameTools(QWidget* parent);
    controls::Gumb* button(QWidget* parent, const char* name, const QString& caption);
    QComboBox* groupList(QWidget* parent, const char* name);
    // Napuni_Kombo_Group: every group list of the window, "All" first.
    void fillGroupLists();
    // ComboGroup chose a group: the grid shows it and the other lists follow.
    void showChosenGroup();
    void stepGroup(int delta);
    // cmdPlay, mnuPlayChannel: the current channel in the stream player.
    void playCurrent();
    void storeChanged(const StoreChange& change);
    // The group a list names; nothing for "All".
    static std::optional<std::string> chosen(const QComboBox* list);

    void addParameter(bool first);
    void cmdSpremeni_ime();
    void cmdZamijeniIme();
    void cmdCapitalize_text();
    void cmdUper_case();
    void sortByName();
    // Runs a name tool off the window thread; false when nothing was changed.
    bool runNameTool(const ChannelNameEdit& edit, const std::optional<std::string>& group);

    const EditingContext& m_context;
    ChannelGridModel* m_model = nullptr;
    ChannelGridPart* m_part = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_caption = nullptr;
    QComboBox* ComboGroup = nullptr;
    QComboBox* Combo_Group_Name = nullptr;
    QComboBox* Combo_Group_Find = nullptr;
    QComboBox* Combo_Grupa1 = nullptr;
    QComboBox* Combo_Grupa2 = nullptr;
    QComboBox* Combo_Grupa3 = nullptr;
    QComboBox* Combo_Odstrani = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;
    QCheckBox* Check8 = nullptr;
    QCheckBox* Check9 = nullptr;
    QLineEdit* txtAdd_First_Parameter = nullptr;
    QLineEdit* txtAdd_last_parameter = nullptr;
    QLineEdit* txtIme1 = nullptr;
    QLineEdit* txtIme2 = nullptr;
    QList<QMenu*> m_groupSubmenus; // mnuxxx, mnuCopy
};

} // namespace listrion::editing::ui
