#include "tools/ui/Sortiraj_Kanale_EXYU.h"

#include "controls/AutoResize.h"
#include "controls/CountLabels.h"
#include "controls/GridLook.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/History.h"
#include "tools/QueryGridModel.h"
#include "tools/Restructuring.h"

#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>
#include <string_view>

namespace listrion::tools::ui {

Sortiraj_Kanale_EXYU::Sortiraj_Kanale_EXYU(store::Database& db, const settings::TextSource& texts,
                                           Services services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_texts(texts), m_services(std::move(services))
{
    setObjectName("Sortiraj_Kanale_EXYU");
    new controls::AutoResize(this);
    setWindowTitle("Regional restructuring");
    openRules();
    m_groups = new QueryGridModel(db, "SELECT rowid FROM Grupa ORDER BY type, broj, rowid",
                                  "SELECT grupa, broj FROM Grupa WHERE rowid = ?", 2, this);
    m_groups->setHeaders({"Originalne grupe", "broj"});
    if (m_rules) {
        m_chosen = new QueryGridModel(*m_rules, "SELECT rowid FROM Izloci ORDER BY Grupa, rowid",
                                      "SELECT Grupa FROM Izloci WHERE rowid = ?", 1, this);
        m_chosen->setHeaders({"Moje grupe"});
        m_channelRules = new QueryGridModel(
            *m_rules, "SELECT rowid FROM Spremeni_Skupino ORDER BY rowid",
            "SELECT grupa1, ime1, grupa2, ime2 FROM Spremeni_Skupino WHERE rowid = ?", 4, this);
        m_channelRules->setHeaders({"grupa1", "ime1", "grupa2", "ime2"});
    }
    build();
    reloadGroups();
    reloadChosen();
    if (m_channelRules != nullptr) {
        m_channelRules->reload();
    }
    connect(&m_services.events, &editing::StoreEvents::changed, this, [this] {
        reloadGroups();
        showCounts();
    });
    resize(1000, 700);
}

Sortiraj_Kanale_EXYU::~Sortiraj_Kanale_EXYU()
{
    // The grids read through the connections the window owns: they let go first.
    for (QTableView* grid : {TDBGrid1, TDBGrid2, TDBGrid3}) {
        grid->setModel(nullptr);
    }
    delete m_chosen;
    delete m_channelRules;
}

void Sortiraj_Kanale_EXYU::openRules()
{
    try {
        m_rules.emplace(openRuleFile(m_services.rulesFile));
        return;
    } catch (const RuleFileError& error) {
        const QString question =
            QString::fromUtf8(error.what()) + ".\nMake a new izdvoji.mdb with empty rule tables?";
        if (!m_services.prompter.question(question, "izdvoji.mdb")) {
            return;
        }
    }
    try {
        recreateRuleFile(m_services.rulesFile);
        m_rules.emplace(openRuleFile(m_services.rulesFile));
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
}

QGroupBox* Sortiraj_Kanale_EXYU::frame(const char* name, const char* title, QTableView*& grid,
                                       QLabel** caption)
{
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    if (caption != nullptr) {
        *caption = new QLabel(box);
        (*caption)->setObjectName(QString(name) + "Caption");
        layout->addWidget(*caption);
    }
    grid = new QTableView(box);
    controls::prepareGrid(grid);
    grid->setFont(QFont("Verdana"));
    grid->horizontalHeader()->setFont(QFont("Arial"));
    grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid, 1);
    return box;
}

void Sortiraj_Kanale_EXYU::build()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(frame("Frame3", "Orginalne grupe", TDBGrid1, &m_groupsCaption), 1);
    top->addWidget(buildButtons());
    top->addWidget(frame("Frame1", "Izabrane grupe", TDBGrid2, &m_chosenCaption), 1);
    layout->addLayout(top, 2);
    layout->addWidget(frame("Frame4", "Zamjena imena grupa i kanala", TDBGrid3, nullptr), 1);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_groups);
    TDBGrid2->setObjectName("TDBGrid2");
    TDBGrid2->setModel(m_chosen);
    TDBGrid3->setObjectName("TDBGrid3");
    TDBGrid3->setModel(m_channelRules);
    // The group names take the room; the number column is as wide as its numbers, and the four
    // columns of the channel rules share the width.
    QHeaderView* groupsHeader = TDBGrid1->horizontalHeader();
    groupsHeader->setStretchLastSection(false);
    groupsHeader->setSectionResizeMode(0, QHeaderView::Stretch);
    groupsHeader->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    TDBGrid3->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(TDBGrid1, &QTableView::doubleClicked, this, &Sortiraj_Kanale_EXYU::cmdPremakni_Desno);
}

QWidget* Sortiraj_Kanale_EXYU::buildButtons()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    auto button = [&](const char* name, const char* caption) {
        auto* gumb = new controls::Gumb(caption, column);
        gumb->setObjectName(name);
        gumb->setMinimumSize(170, 30);
        gumb->setEnabled(ready() || std::string_view(name) == "cmdIzlaz");
        layout->addWidget(gumb);
        return gumb;
    };
    connect(button("cmdPremakni_Desno", "Add  >>"), &QAbstractButton::clicked, this,
            &Sortiraj_Kanale_EXYU::cmdPremakni_Desno);
    connect(button("cmdIzbrisi", "<<  Remove"), &QAbstractButton::clicked, this,
            &Sortiraj_Kanale_EXYU::cmdIzbrisi);
    connect(button("cmdIzbrisi_sve", "Remove all"), &QAbstractButton::clicked, this,
            &Sortiraj_Kanale_EXYU::cmdIzbrisi_sve);
    layout->addStretch(1);
    connect(button("cmdPopravi_Grupe", "Move channels"), &QAbstractButton::clicked, this, [this] {
        runRules(
            "Move channels by the rules",
            [](store::Database& db, const RestructuringRules& rules) {
                applyChannelRules(db, rules);
            },
            false);
    });
    connect(button("cmdPopravi_Imena", "Rename groups"), &QAbstractButton::clicked, this, [this] {
        runRules(
            "Rename and add groups by the rules",
            [](store::Database& db, const RestructuringRules& rules) {
                renameAndAddGroups(db, rules);
            },
            false);
    });
    connect(button("cmdOK", " Izdvoji izabrane grupe"), &QAbstractButton::clicked, this, [this] {
        runRules(
            "Regional restructuring",
            [](store::Database& db, const RestructuringRules& rules) { restructure(db, rules); },
            true);
    });
    layout->addStretch(1);
    connect(button("cmdIzlaz", "Exit"), &QAbstractButton::clicked, this, &QWidget::close);
    return column;
}

void Sortiraj_Kanale_EXYU::showCounts()
{
    const QString caption = QString::fromStdString(m_texts.text(settings::Texts::GroupsCaption));
    auto shown = [&caption](const QueryGridModel* model) {
        return caption + "( " + controls::countText(model != nullptr ? model->rowCount() : 0) +
               " ) ";
    };
    m_groupsCaption->setText(shown(m_groups));
    m_chosenCaption->setText(shown(m_chosen));
}

void Sortiraj_Kanale_EXYU::reloadGroups()
{
    m_groups->reload();
    // The first group is current until another is chosen, as in the main window.
    if (m_groups->rowCount() > 0) {
        TDBGrid1->setCurrentIndex(m_groups->index(0, 0));
    }
}

void Sortiraj_Kanale_EXYU::reloadChosen()
{
    if (m_chosen != nullptr) {
        m_chosen->reload();
    }
    showCounts();
}

void Sortiraj_Kanale_EXYU::cmdPremakni_Desno()
{
    const int row = TDBGrid1->currentIndex().row();
    if (!m_rules || row < 0) {
        return;
    }
    try {
        chooseGroup(*m_rules, m_groups->text(row, 0).toStdString());
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    reloadChosen();
}

void Sortiraj_Kanale_EXYU::cmdIzbrisi()
{
    const int row = TDBGrid2->currentIndex().row();
    if (!m_rules || row < 0) {
        return;
    }
    try {
        unchooseGroup(*m_rules, m_chosen->text(row, 0).toStdString());
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    reloadChosen();
}

void Sortiraj_Kanale_EXYU::cmdIzbrisi_sve()
{
    if (!m_rules) {
        return;
    }
    try {
        unchooseAll(*m_rules);
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    reloadChosen();
}

void Sortiraj_Kanale_EXYU::runRules(
    const std::string& step,
    const std::function<void(store::Database&, const RestructuringRules&)>& work, bool closeAfter)
{
    if (!m_rules) {
        return;
    }
    try {
        const RestructuringRules rules = readRules(*m_rules);
        const auto command = [&](store::Database& db) {
            work(db, rules);
        };
        if (m_services.runLong) {
            if (!m_services.runLong(this, step, command)) {
                return; // cancelled: nothing changed
            }
        } else {
            const store::StepName named(m_db, step);
            command(m_db);
        }
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    editing::StoreChange change;
    change.parts = editing::StoreChange::Playlist;
    m_services.events.publish(change);
    if (closeAfter) {
        close();
    }
}

void Sortiraj_Kanale_EXYU::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}

} // namespace listrion::tools::ui
