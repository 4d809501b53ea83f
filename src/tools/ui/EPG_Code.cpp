#include "tools/ui/EPG_Code.h"

#include "controls/AutoResize.h"
#include "controls/GridLook.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "tools/EpgDeployment.h"
#include "tools/EpgIds.h"
#include "tools/ui/EpgGridModel.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace listrion::tools::ui {
namespace {

constexpr const char* kEasyMode = "Easy mod for Ex-Yu channels is enable !";
constexpr const char* kEasyModeCode = "3915";
constexpr int kOptionColumns = 9;

controls::Gumb* button(const QString& caption, const char* name, QWidget* parent,
                       int minimumWidth = 110)
{
    auto* b = new controls::Gumb(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(minimumWidth, 30);
    return b;
}

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

const EPG_Code::CountryOption EPG_Code::kCountryOptions[25] = {
    {0, "nl"},  {1, "il"},  {2, "se"},  {3, "fi"},  {4, "dk"},  {5, "no"},  {6, "tr"},
    {7, "us"},  {8, "ca"},  {9, "gr"},  {10, "uk"}, {11, "be"}, {12, "pl"}, {13, "rs"},
    {17, "it"}, {18, "fr"}, {19, "pt"}, {20, "es"}, {21, "ro"}, {22, "au"}, {23, "at"},
    {24, "de"}, {25, "si"}, {26, "hr"}, {27, "ba"}};

EPG_Code::EPG_Code(store::Database& db, const settings::TextSource& texts, Services services,
                   const std::string& group, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_texts(texts), m_services(std::move(services))
{
    setObjectName("EPG_Code");
    new controls::AutoResize(this);
    m_model = new EpgGridModel(db, this);
    build();
    Prevedi();
    fillGroups(QString::fromStdString(group));
    connect(&m_services.events, &editing::StoreEvents::changed, this, &EPG_Code::storeChanged);
    resize(1100, 720);
}

EPG_Code::~EPG_Code() = default;

QString EPG_Code::text(const settings::TextKey& key) const
{
    return QString::fromStdString(m_texts.text(key));
}

void EPG_Code::build()
{
    TDBGrid1 = new QTableView(this);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_model);
    controls::prepareGrid(TDBGrid1);
    TDBGrid1->setFont(QFont("Verdana", 9));
    TDBGrid1->setColumnHidden(EpgGridModel::kTickColumn, true);
    const int widths[] = {0, 130, 190, 170, 150, 160, 260, 60};
    for (int column = 1; column <= EpgGridModel::kBrojColumn; ++column) {
        TDBGrid1->setColumnWidth(column, widths[column]);
    }
    connect(TDBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChanged(current.row()); });

    auto* tools = new QHBoxLayout;
    tools->addWidget(buildDerivation(), 3);
    auto* right = new QVBoxLayout;
    right->addWidget(buildLookup());
    right->addWidget(buildRewrite());
    tools->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildGroupRow());
    layout->addWidget(TDBGrid1, 1);
    layout->addLayout(tools);
    layout->addWidget(buildCommands());
}

QWidget* EPG_Code::buildGroupRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    ComboGroup = new QComboBox(row);
    ComboGroup->setObjectName("ComboGroup");
    ComboGroup->setMinimumWidth(320);
    ComboGroup->setMaxVisibleItems(30);
    auto* previous = button("<", "cmd_Naz_G", row, 40);
    auto* next = button(">", "cmdNap_G", row, 40);
    layout->addWidget(previous);
    layout->addWidget(ComboGroup);
    layout->addWidget(next);
    layout->addStretch(1);
    connect(previous, &QAbstractButton::clicked, this, [this] { stepGroup(-1); });
    connect(next, &QAbstractButton::clicked, this, [this] { stepGroup(1); });
    connect(ComboGroup, &QComboBox::currentIndexChanged, this, &EPG_Code::showGroup);
    return row;
}

QWidget* EPG_Code::buildDerivation()
{
    auto* box = new QGroupBox("EPG ID", this);
    box->setObjectName("Frame1");
    auto* layout = new QVBoxLayout(box);
    auto* code = new QHBoxLayout;
    lblEPG = new QLabel(box);
    lblEPG->setObjectName("lblEPG");
    txtEPG = lineEdit("txtEPG", box);
    txtEPG->setMaximumWidth(120);
    code->addWidget(lblEPG);
    code->addWidget(txtEPG);
    code->addStretch(1);
    layout->addLayout(code);

    auto* options = new QGridLayout;
    Option1 = new QButtonGroup(box);
    Option1->setObjectName("Option1");
    int position = 0;
    for (const CountryOption& option : kCountryOptions) {
        auto* radio = new QRadioButton(option.code, box);
        radio->setObjectName("Option1");
        radio->setProperty("index", option.index);
        Option1->addButton(radio, option.index);
        options->addWidget(radio, position / kOptionColumns, position % kOptionColumns);
        ++position;
    }
    layout->addLayout(options);
    connect(Option1, &QButtonGroup::idClicked, this, [this](int index) {
        for (const CountryOption& option : kCountryOptions) {
            if (option.index == index) {
                txtEPG->clear();
                txtEPG->setText(option.code);
            }
        }
    });
    connect(txtEPG, &QLineEdit::textChanged, this, &EPG_Code::txtEPG_changed);

    auto* commands = new QHBoxLayout;
    cmdOK_ = button(QString(), "cmdOK", box, 150);
    cmdClear_ = button(QString(), "cmdClear", box, 150);
    commands->addWidget(cmdOK_);
    commands->addWidget(cmdClear_);
    commands->addStretch(1);
    layout->addLayout(commands);
    layout->addStretch(1);
    connect(cmdOK_, &QAbstractButton::clicked, this, &EPG_Code::cmdOK);
    connect(cmdClear_, &QAbstractButton::clicked, this, &EPG_Code::cmdClear);
    return box;
}

QWidget* EPG_Code::buildLookup()
{
    auto* box = new QGroupBox("Online", this);
    box->setObjectName("Frame2");
    auto* layout = new QGridLayout(box);
    txtEPG_online = lineEdit("txtEPG_online", box);
    auto* online = button("Search online", "cmdOnline", box);
    auto* codes = button("Country codes", "cmdSIPTV", box);
    lblOnline = new QLabel(box);
    lblOnline->setObjectName("lblOnline");
    lblOnline->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(txtEPG_online, 0, 0);
    layout->addWidget(online, 0, 1);
    layout->addWidget(lblOnline, 1, 0);
    layout->addWidget(codes, 1, 1);
    connect(online, &QAbstractButton::clicked, this, &EPG_Code::cmdOnline);
    connect(codes, &QAbstractButton::clicked, this, &EPG_Code::cmdSIPTV);
    return box;
}

QWidget* EPG_Code::buildRewrite()
{
    auto* box = new QGroupBox("Replace in EPG IDs", this);
    box->setObjectName("Frame3");
    auto* layout = new QGridLayout(box);
    txtIme1 = lineEdit("txtIme1", box);
    txtIme2 = lineEdit("txtIme2", box);
    auto* replace = button("Replace", "cmdZamijeniIme", box);
    layout->addWidget(new QLabel("Find:", box), 0, 0);
    layout->addWidget(txtIme1, 0, 1);
    layout->addWidget(new QLabel("Replace with:", box), 1, 0);
    layout->addWidget(txtIme2, 1, 1);
    layout->addWidget(replace, 1, 2);
    connect(replace, &QAbstractButton::clicked, this, &EPG_Code::cmdZamijeniIme);
    return box;
}

QWidget* EPG_Code::buildCommands()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* save = button("Backup", "cmdSave", row);
    auto* undo = button("Undo", "Gumb1", row);
    auto* exit = button("Exit", "cmdExit", row);
    layout->addWidget(save);
    layout->addWidget(undo);
    layout->addStretch(1);
    layout->addWidget(exit);
    connect(save, &QAbstractButton::clicked, this, [this] {
        if (m_services.offerBackup) {
            m_services.offerBackup();
        }
    });
    connect(undo, &QAbstractButton::clicked, this, &EPG_Code::Gumb1);
    connect(exit, &QAbstractButton::clicked, this, &QWidget::close);
    return row;
}

void EPG_Code::Prevedi()
{
    using namespace settings::Texts;
    setWindowTitle(text(EpgCaption));
    lblEPG->setText(text(EpgCodeLabel));
    cmdOK_->setText(text(EpgDeriveButton));
    cmdClear_->setText(text(EpgClearButton));
    lblOnline->setText(text(EpgLookupLabel) + " " +
                       QString::fromUtf8(kEpgChannelDirectoryBase.data(),
                                         static_cast<qsizetype>(kEpgChannelDirectoryBase.size())));
    m_model->setHeaders({"sel.", text(GroupColumn), text(ChannelNameColumn), text(TvgNameColumn),
                         "EPG ID", "   Logo", "Stream url", "broj"});
}

// Napuni_Kombo_Group: every group by position; `current` chosen when there is such a group.
void EPG_Code::fillGroups(const QString& current)
{
    const QSignalBlocker quiet(ComboGroup);
    ComboGroup->clear();
    store::Statement groups = m_db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    while (groups.step()) {
        ComboGroup->addItem(QString::fromStdString(groups.columnText(0)));
    }
    int at = ComboGroup->findText(current, Qt::MatchExactly);
    if (at < 0) {
        at = ComboGroup->findText(current, Qt::MatchFixedString);
    }
    ComboGroup->setCurrentIndex(std::max(at, ComboGroup->count() > 0 ? 0 : -1));
    showGroup();
}

void EPG_Code::stepGroup(int step)
{
    const int at = ComboGroup->currentIndex() + step;
    if (at >= 0 && at < ComboGroup->count()) {
        ComboGroup->setCurrentIndex(at);
    }
}

std::string EPG_Code::group() const
{
    return ComboGroup->currentText().toStdString();
}

void EPG_Code::showGroup()
{
    m_model->showGroup(group());
    if (m_model->rowCount() > 0) {
        TDBGrid1->setCurrentIndex(m_model->index(0, EpgGridModel::kNameColumn));
    } else {
        txtEPG_online->clear();
    }
}

void EPG_Code::rowChanged(int row)
{
    if (row >= 0 && row < m_model->rowCount()) {
        txtEPG_online->setText(QString::fromStdString(
            lookupText(m_model->text(row, EpgGridModel::kNameColumn).toStdString())));
    }
}

void EPG_Code::txtEPG_changed(const QString& code)
{
    if (code.trimmed() != kEasyModeCode) {
        return;
    }
    m_services.prompter.message(kEasyMode);
    if (m_services.showMain) {
        m_services.showMain();
    }
    close();
}

void EPG_Code::closeEvent(QCloseEvent* event)
{
    // The main window's grids are read afresh, whatever was done here.
    editing::StoreChange change;
    change.parts = editing::StoreChange::ChannelRows;
    publish(change);
    event->accept();
    emit closed();
}

} // namespace listrion::tools::ui
