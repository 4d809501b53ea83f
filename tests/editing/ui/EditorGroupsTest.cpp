// The group editor driven by its controls' names inside the main window, and the background run
// of its long commands.
#include "editing/ui/GlavnaFixture.h"

#include "controls/BackgroundRun.h"
#include "store/SqlError.h"
#include "support/DialogScript.h"

#include <QCheckBox>
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
        auto* grid = e.findChild<QTableView*>("TDBGrid1");
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_first_parameter");
        EXPECT_EQ(prompter.texts(), QStringList{text(settings::Texts::TickFirst)});

        e.findChild<QCheckBox*>("Check2")->setChecked(true);
        check1->setChecked(true);
        EXPECT_FALSE(e.findChild<QCheckBox*>("Check2")->isChecked());
        EXPECT_FALSE(grid->isColumnHidden(0));
        tickRow(e, 0);
        tickRow(e, 2);
        e.findChild<QLineEdit*>("txtAdd_first_parameter")->setText("UK:");
        prompter.acknowledge();
        DialogScript::click(e, "cmdAdd_first_parameter");
        EXPECT_EQ(prompter.texts().back(), text(settings::Texts::ChangesMade));
        EXPECT_TRUE(grid->isColumnHidden(0));
        EXPECT_EQ(cell(grid, 2, 1), "UK: G3");
    });
    prompter.verify();
    EXPECT_EQ(store().groups(), (Names{"UK: G1", "G2", "UK: G3"}));
    EXPECT_EQ(cell(groups(), 0, 1), "UK: G1"); // the main window followed the editor
}

TEST_F(EditorGroups, RenamingOntoAnotherGroupAsksBeforeMerging)
{
    inEditor([&](QDialog& e) {
        e.findChild<QLineEdit*>("txtIme1")->setText("G3");
        e.findChild<QLineEdit*>("txtIme2")->setText("g2");
        prompter.answer(false).answer(true);
        DialogScript::click(e, "cmdZamijeniIme");
        EXPECT_EQ(store().groups().size(), 3u);
        DialogScript::click(e, "cmdZamijeniIme");
    });
    EXPECT_EQ(prompter.texts(), QStringList(2, text(settings::Texts::MergeGroupsQuestion)));
    EXPECT_EQ(store().groups(), (Names{"G1", "G2"}));
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
    const bool finished = controls::runInBackground(&parent, file, "busy", [](store::Database& db) {
        db.exec("BEGIN IMMEDIATE; INSERT INTO Grupa (grupa) VALUES ('half');");
        // Runs until interrupted.
        db.exec("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                "SELECT count(*) FROM c");
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(test::PlaylistStore(file).groups(), (Names{"G1"}));
    EXPECT_THROW(
        controls::runInBackground(&parent, file, "busy",
                                  [](store::Database& db) { db.exec("SELECT * FROM Nowhere"); }),
        store::SqlError);
    EXPECT_TRUE(controls::runInBackground(&parent, file, "busy", [](store::Database&) {}));
}

} // namespace
} // namespace listrion::editing::ui
