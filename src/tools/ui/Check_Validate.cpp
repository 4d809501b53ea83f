#include "tools/ui/Check_Validate.h"

#include "controls/AutoResize.h"
#include "controls/GridLook.h"

#include "controls/Gumb.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "tools/Registration.h"
#include "tools/ui/CheckGridModel.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace listrion::tools::ui {
namespace {

controls::Gumb* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new controls::Gumb(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(110, 30);
    parent->layout()->addWidget(b);
    return b;
}

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

Check_Validate::Check_Validate(store::Database& db, const settings::TextSource& texts,
                               const settings::Settings& settings, Services services,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_texts(texts), m_settings(settings),
      m_services(std::move(services))
{
    setObjectName("Check_Validate");
    new controls::AutoResize(this);
    setWindowTitle("                           Check is channels work");
    build();
    if (m_services.makePlayer) {
        m_player = m_services.makePlayer(VLCPlugin21);
    }
    if (m_player) {
        connect(m_player.get(), &player::PreviewPlayer::visibilityChanged, VLCPlugin21,
                &QWidget::setVisible);
        connect(m_player.get(), &player::PreviewPlayer::failed, this,
                [this] { lblStatus->setText("cannot play"); });
        m_player->setVisible(false);
    }
    VLCPlugin21->hide();
    connect(&m_refresh, &QTimer::timeout, this, &Check_Validate::showProgress);
    connect(&m_gridRefresh, &QTimer::timeout, this, [this] { m_grid->refreshValues(); });
    connect(&m_services.events, &editing::StoreEvents::changed, this,
            &Check_Validate::storeChanged);
    Prevedi();
    showListing(CheckGridModel::Listing::AllByName);
    resize(1180, 720);
}

void Check_Validate::build()
{
    m_grid = new CheckGridModel(m_db, this);
    TDBGrid1 = new QTableView(this);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_grid);
    controls::prepareGrid(TDBGrid1);
    TDBGrid1->setFont(QFont("Arial", 9));
    TDBGrid1->horizontalHeader()->setFont(QFont("Verdana", 9));
    TDBGrid1->setColumnWidth(CheckGridModel::kTickColumn, 38);
    for (const auto& [column, width] :
         {std::pair{CheckGridModel::kGroupColumn, 150}, std::pair{CheckGridModel::kNameColumn, 200},
          std::pair{CheckGridModel::kTvgNameColumn, 150},
          std::pair{CheckGridModel::kTvgIdColumn, 100},
          std::pair{CheckGridModel::kLogoColumn, 80}}) {
        TDBGrid1->setColumnWidth(column, width);
    }
    TDBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(TDBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Check_Validate::rowChanged);
    connect(TDBGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == CheckGridModel::kTickColumn && !isRunning()) {
            m_grid->toggleTick(index.row());
        }
    });

    auto* middle = new QHBoxLayout;
    middle->addWidget(TDBGrid1, 1);
    middle->addWidget(buildManualCheck());
    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    lblStatus = label(QString(), "lblStatus", status);
    status->addWidget(lblStatus, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCounters());
    layout->addLayout(middle, 1);
    layout->addWidget(buildCommands());
    layout->addWidget(status);
}

QWidget* Check_Validate::buildCounters()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    ProgressBar1 = new QProgressBar(box);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    lblProcenti = label("0 %", "lblProcenti", box);
    lblProcenti->setMinimumWidth(48);
    bar->addWidget(ProgressBar1, 1);
    bar->addWidget(lblProcenti);
    auto* counters = new QHBoxLayout;
    const auto pair = [&](QLabel*& caption, const char* captionName, QLabel*& value,
                          const char* valueName) {
        caption = label(QString(), captionName, box);
        value = label("0", valueName, box);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        counters->addWidget(caption);
        counters->addWidget(value);
        counters->addSpacing(24);
    };
    pair(lblStartCaption, "lblStartCaption", lblStart, "lblStart");
    pair(lblEndCaption, "lblEndCaption", lblEnd, "lblEnd");
    pair(lblWorkedCaption, "lblWorkedCaption", lblWorked, "lblWorked");
    pair(lblBrokenCaption, "lblBrokenCaption", lblBroken, "lblBroken");
    counters->addStretch(1);
    layout->addLayout(bar);
    layout->addLayout(counters);
    return box;
}

QWidget* Check_Validate::buildManualCheck()
{
    auto* frame = new QGroupBox("Manual check", this);
    frame->setObjectName("Frame3");
    Frame3 = frame;
    auto* layout = new QVBoxLayout(frame);
    VLCPlugin21 = new player::ui::VideoSurface(frame);
    VLCPlugin21->setObjectName("VLCPlugin21");
    layout->addWidget(VLCPlugin21, 1);
    auto* navigation = new QWidget(frame);
    new QHBoxLayout(navigation);
    navigation->layout()->setContentsMargins(0, 0, 0, 0);
    cmd_Naz_G = button("<", "cmd_Naz_G", navigation);
    cmdNap_G = button(">", "cmdNap_G", navigation);
    layout->addWidget(navigation);
    auto* playing = new QWidget(frame);
    new QVBoxLayout(playing);
    playing->layout()->setContentsMargins(0, 0, 0, 0);
    cmdPlay_ = button(" Play selected channel", "cmdPlay", playing);
    cmdStop_playing_ = button(" Stop playing", "cmdStop_playing", playing);
    layout->addWidget(playing);
    layout->addStretch(1);
    frame->setMinimumWidth(320);

    connect(cmd_Naz_G, &QAbstractButton::clicked, this, [this] { moveRow(-1); });
    connect(cmdNap_G, &QAbstractButton::clicked, this, [this] { moveRow(1); });
    connect(cmdPlay_, &QAbstractButton::clicked, this, &Check_Validate::cmdPlay);
    connect(cmdStop_playing_, &QAbstractButton::clicked, this, &Check_Validate::cmdStop_playing);
    return frame;
}

QWidget* Check_Validate::buildCommands()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    Frame1 = new QWidget(box);
    Frame1->setObjectName("Frame1");
    new QHBoxLayout(Frame1);
    Frame1->layout()->setContentsMargins(0, 0, 0, 0);
    auto* always = new QWidget(box);
    always->setObjectName("Frame2");
    new QHBoxLayout(always);
    always->layout()->setContentsMargins(0, 0, 0, 0);
    cmdCheck_ = button(QString(), "cmdCheck", Frame1);
    cmdStop_ = button(QString(), "cmdStop", always);
    cmdDelete_broken_ = button(QString(), "cmdDelete_broken", Frame1);
    cmdSave_ = button("Backup", "cmdSave", Frame1);
    cmdChannel_undo2_ = button("Undo", "cmdChannel_undo2", Frame1);
    cmdLast_undo_ = button("Restore backup", "cmdLast_undo", Frame1);
    cmdRegister_dll_ = button(QString(), "cmdRegister_dll", always);
    cmdIzlaz = button(QString(), "cmdIzlaz", always);
    row->addWidget(Frame1);
    row->addStretch(1);
    row->addWidget(always);

    connect(cmdCheck_, &QAbstractButton::clicked, this, &Check_Validate::cmdCheck);
    connect(cmdStop_, &QAbstractButton::clicked, this, &Check_Validate::cmdStop);
    connect(cmdDelete_broken_, &QAbstractButton::clicked, this, &Check_Validate::cmdDelete_broken);
    connect(cmdSave_, &QAbstractButton::clicked, this, &Check_Validate::cmdSave);
    connect(cmdChannel_undo2_, &QAbstractButton::clicked, this, &Check_Validate::cmdChannel_undo2);
    connect(cmdLast_undo_, &QAbstractButton::clicked, this, &Check_Validate::cmdLast_undo);
    connect(cmdRegister_dll_, &QAbstractButton::clicked, this, &Check_Validate::cmdRegister_dll);
    connect(cmdIzlaz, &QAbstractButton::clicked, this, &QWidget::close);
    return box;
}

QString Check_Validate::text(const settings::TextKey& key) const
{
    return QString::fromStdString(m_texts.text(key));
}

void Check_Validate::Prevedi()
{
    setWindowTitle(text(settings::Texts::CheckLinkCaption));
    cmdCheck_->setText(text(settings::Texts::CheckLinkRunButton));
    cmdStop_->setText(text(settings::Texts::CheckLinkStopButton));
    cmdDelete_broken_->setText(text(settings::Texts::CheckLinkDeleteButton));
    lblBrokenCaption->setText(text(settings::Texts::CheckLinkBrokenLabel));
    lblWorkedCaption->setText(text(settings::Texts::CheckLinkWorkingLabel));
    lblStartCaption->setText(text(settings::Texts::CheckLinkCheckedLabel));
    lblEndCaption->setText(text(settings::Texts::CheckLinkTotalLabel));
    cmdRegister_dll_->setText(text(settings::Texts::CheckLinkRegisterButton));
    cmdIzlaz->setText(text(settings::Texts::CheckLinkExitButton));
    m_grid->setHeaders({"sel.", text(settings::Texts::GroupColumn),
                        text(settings::Texts::ChannelNameColumn),
                        text(settings::Texts::TvgNameColumn), "EPG ID", "Logo", "Link"});
}

void Check_Validate::start()
{
    show();
    if (registrationNeeded(m_settings)) {
        registration(false);
    }
}

void Check_Validate::closeEvent(QCloseEvent* event)
{
    if (isRunning()) {
        cmdStop();
        m_thread->wait();
        endRun(false);
    }
    if (m_player) {
        m_player->stop();
        m_player->setVisible(false);
    }
    emit closed();
    event->accept();
}

} // namespace listrion::tools::ui
