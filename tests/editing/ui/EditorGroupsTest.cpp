// The group editor driven by its controls' names inside the main window, and the background run
// of its long commands.
#include "editing/ui/GlavnaFixture.h"

#include "editing/ui/BackgroundRun.h"
#include "store/SqlError.h"
#include "support/DialogScript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace listrion::editing::ui {
namespace {

using test::DialogScript;

class EditorGroups : public GlavnaTest {
protected:
    EditorGroups()
    {
        fill({2, 3, 1});
        start();
    }
    // Opens the editor from the main window and plays `steps` in it, then closes it.
    void inEditor(const std::function<void(QDialog&)>& steps)
    {
        DialogScript script;
        script.then([&](QDialog& editor) {
            EXPECT_EQ(editor.objectName(), "Editor_Groups");
            steps(editor);
            DialogScript::click(editor, "cmdIzlaz");
        });
        click("cmdEdit_Groups");
    }
    static void tickRow(QDialog& editor, int row)
    {
        tick(editor.findChild<QTableView*>("TDBGrid1"), row);
    }
};

TEST_F(EditorGroups, PrefixNeedsTheTickingBoxThenRenamesTheTickedGroups)
{
    inEditor([&](QDialog& e) {
        auto* check1 = e.findChild<QCheckBox*>("Check1");
        auto* check2 = e.findChild<QCheckBox*>("Check2");
        auto* grid = e.findChild<QTableView*>("TDBGrid1");
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_first_parameter");
        EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::TickFirst)});

        check2->setChecked(true);
        check1->setChecked(true);
        EXPECT_FALSE(check2->isChecked());
        EXPECT_FALSE(grid->isColumnHidden(0));
        tickRow(e, 0);
        tickRow(e, 2);
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_first_parameter"); // empty text
        e.findChild<QLineEdit*>("txtAdd_first_parameter")->setText("UK:");
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_first_parameter");
        EXPECT_EQ(prompter.texts().mid(1), (QStringList{text(settings::Texts::PrefixEmpty),
                                                        text(settings::Texts::ChangesMade)}));
        EXPECT_FALSE(check1->isChecked());
        EXPECT_TRUE(grid->isColumnHidden(0));
        EXPECT_TRUE(e.findChild<QLineEdit*>("txtAdd_first_parameter")->text().isEmpty());
        EXPECT_EQ(cell(grid, 2, 1), "UK: G3");
    });
    prompter.verify();
    EXPECT_EQ(store().groups(), (Names{"UK: G1", "G2", "UK: G3"}));
    EXPECT_EQ(store().db.scalarInt("SELECT sum(izberi) FROM Grupa", -1), 0);
    EXPECT_EQ(cell(groups(), 0, 1), "UK: G1"); // the main window followed the editor
}

TEST_F(EditorGroups, NameToolsAskBeforeMergingAndTheTypeChangeChecksItsLists)
{
    inEditor([&](QDialog& e) {
        e.findChild<QLineEdit*>("txtIme1")->setText("G3");
        e.findChild<QLineEdit*>("txtIme2")->setText("g2");
        prompter.answer(false);
        DialogScript::click(e, "cmdZamijeniIme");
        EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::MergeGroupsQuestion)});
        EXPECT_EQ(store().groups().size(), 3u);
        prompter.answer(true);
        DialogScript::click(e, "cmdZamijeniIme");
        EXPECT_EQ(store().groups(), (Names{"G1", "G2"}));
        EXPECT_TRUE(e.findChild<QLineEdit*>("txtIme1")->text().isEmpty());

        auto* group = e.findChild<QComboBox*>("Combo_Grupa");
        auto* type = e.findChild<QComboBox*>("Combo_type");
        EXPECT_EQ(group->count(), 3); // the empty entry and the two groups left
        group->setCurrentIndex(2);
        emit group->activated(2);
        EXPECT_EQ(type->currentText(), "Live");
        type->setCurrentIndex(0);
        prompter.acknowledge();
        DialogScript::click(e, "cmdChange_type");
        type->setCurrentIndex(type->findText("Radio"));
        prompter.acknowledge();
        DialogScript::click(e, "cmdChange_type");
        EXPECT_EQ(prompter.texts().mid(2), (QStringList{text(settings::Texts::ChooseAType),
                                                        text(settings::Texts::GroupTypeChanged)}));
        EXPECT_EQ(store().db.scalarInt("SELECT count(*) FROM Playlist WHERE type = 'Radio'", -1),
                  4);

        prompter.acknowledge().acknowledge();
        DialogScript::click(e, "cmdUper_case");
        DialogScript::click(e, "cmdCapitalize_text");
        prompter.answer(true);
        e.findChild<QCheckBox*>("Check3")->setChecked(true);
        EXPECT_FALSE(e.findChild<QCheckBox*>("Check3")->isChecked());
        EXPECT_EQ(prompter.texts().back(), " Sorting Groups by Name ?");
        // The Delete key numbers the groups left by position alone.
        auto* grid = e.findChild<QTableView*>("TDBGrid1");
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClick(grid, Qt::Key_Delete);
        prompter.acknowledge();
        DialogScript::click(e, "cmdChannel_undo2"); // no copy of the loaded playlist
        EXPECT_EQ(prompter.texts().back(), text(settings::Texts::NothingToUndo));
    });
    prompter.verify();
    EXPECT_EQ(store().groups().size(), 1u);
    expectSound();
}

TEST(BackgroundRun, CancelStopsTheCommandAndErrorsComeBack)
{
    test::TempFolder home;
    const std::filesystem::path file = home.file("data.mdb");
    {
        test::PlaylistStore s(file);
        s.fill({1});
    }
    QWidget parent;
    DialogScript script;
    script.then([](QDialog& progress) {
        EXPECT_EQ(progress.objectName(), "Progress");
        DialogScript::click(progress, "cmdCancel");
    });
    const bool finished = runInBackground(&parent, file, "busy", [](store::Database& db) {
        db.exec("BEGIN IMMEDIATE; INSERT INTO Grupa (grupa) VALUES ('half');");
        // Runs until interrupted.
        db.exec("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                "SELECT count(*) FROM c");
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(test::PlaylistStore(file).groups(), (Names{"G1"}));
    EXPECT_THROW(runInBackground(&parent, file, "busy",
                                 [](store::Database& db) { db.exec("SELECT * FROM Nowhere"); }),
                 store::SqlError);
    EXPECT_TRUE(runInBackground(&parent, file, "busy", [](store::Database&) {}));
}

} // namespace
} // namespace listrion::editing::ui
