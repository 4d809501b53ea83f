#include "tools/ui/Poisci_Kanal.h"

#include "controls/AutoResize.h"
#include "controls/GridLook.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/Settings.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "text/CountText.h"
#include "tools/SearchGridModel.h"
#include "tools/SearchRunner.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>

namespace listrion::tools::ui {

Poisci_Kanal::Poisci_Kanal(store::Database& db, const settings::TextSource& texts,
                           const settings::Settings& settings, Services services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_texts(texts), m_settings(settings),
      m_services(std::move(services))
{
    setObjectName("Poisci_Kanal");
    new controls::AutoResize(this);
    setWindowTitle("Find channel");
    m_model = new SearchGridModel(db, this);
    m_runner = new SearchRunner(db.file(), this);
    build();
    connect(m_runner, &SearchRunner::found, this, &Poisci_Kanal::showList);
    connect(m_runner, &SearchRunner::failed, this,
            [this](const QString& why) { m_services.prompter.message(why); });
    connect(&m_services.events, &editing::StoreEvents::changed, this, &Poisci_Kanal::storeChanged);
    // The initial list: every channel by name.
    m_runner->showAllByName();
    resize(1000, 680);
}

Poisci_Kanal::~Poisci_Kanal()
{
    // The grid reads through the window's connection; it goes before the runner's thread ends.
    TDBGrid1->setModel(nullptr);
}

bool Poisci_Kanal::searching() const
{
    return m_runner->busy();
}

QString Poisci_Kanal::text(const settings::TextKey& key) const
{
    return QString::fromStdString(m_texts.text(key));
}

void Poisci_Kanal::build()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto* find = new QHBoxLayout;
    lblIsci = new QLabel("Find channel:", this);
    lblIsci->setObjectName("lblIsci");
    txtNajdi = new QLineEdit(this);
    txtNajdi->setObjectName("txtNajdi");
    txtNajdi->setClearButtonEnabled(true);
    find->addWidget(lblIsci);
    find->addWidget(txtNajdi, 1);
    connect(txtNajdi, &QLineEdit::textChanged, this, &Poisci_Kanal::txtNajdi_changed);

    TDBGrid1 = new QTableView(this);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_model);
    controls::prepareGrid(TDBGrid1);
    connect(TDBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChanged(current.row()); });
    connect(TDBGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& at) { clickedCell(at.row(), at.column()); });
    lblCount = new QLabel(this);
    lblCount->setObjectName("lblCount");

    layout->addLayout(find);
    layout->addWidget(TDBGrid1, 1);
    layout->addWidget(lblCount);
    layout->addWidget(buildButtons());
    buildMenu();
    bar->addMenu(mChannel);
    Nastavitve_Grida();
}

QWidget* Poisci_Kanal::buildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const char* caption) {
        auto* gumb = new controls::Gumb(caption, row);
        gumb->setObjectName(name);
        gumb->setMinimumSize(110, 30);
        layout->addWidget(gumb);
        return gumb;
    };
    cmdPlay_ = button("cmdPlay", "Play");
    cmdPlay_->setVisible(static_cast<bool>(m_services.play));
    layout->addStretch(1);
    connect(cmdPlay_, &QAbstractButton::clicked, this, &Poisci_Kanal::cmdPlay);
    connect(button("cmdSave", "Backup"), &QAbstractButton::clicked, this, [this] {
        if (m_services.offerBackup) {
            m_services.offerBackup();
        }
    });
    connect(button("cmdChannel_undo2", "Undo"), &QAbstractButton::clicked, this,
            &Poisci_Kanal::cmdChannel_undo2);
    connect(button("cmdLast_undo", "Restore backup"), &QAbstractButton::clicked, this, [this] {
        if (m_services.openRestore) {
            m_services.openRestore(this);
        }
    });
    connect(button("cmdExit", "Exit"), &QAbstractButton::clicked, this, &QWidget::close);
    return row;
}

void Poisci_Kanal::buildMenu()
{
    mChannel = new QMenu("Channels", this);
    mChannel->setObjectName("mChannel");
    for (auto [name, caption, copy] : {std::tuple{"mnuMoveToGroup", "Move to group", false},
                                       std::tuple{"mnuCopy_to_group", "Copy to group", true}}) {
        QMenu* sub = mChannel->addMenu(caption);
        sub->setObjectName(name);
        const bool copying = copy;
        connect(sub, &QMenu::aboutToShow, this,
                [this, sub, copying] { Kreiraj_Meni(sub, copying); });
    }
    c2 = mChannel->addSeparator();
    auto add = [this](const char* name, const QString& caption, void (Poisci_Kanal::*slot)()) {
        QAction* entry = mChannel->addAction(caption);
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, slot);
        return entry;
    };
    add("mnuMulitiselect_move_to_group", "Multiselect move or copy",
        &Poisci_Kanal::enterMultiselect);
    mnuSelect_all =
        add("mnuSelect_all", text(settings::Texts::SelectAll), &Poisci_Kanal::selectAll);
    mnuDisable_multiselect_mode = add("mnuDisable_multiselect_mode", "Disable multiselect mode",
                                      &Poisci_Kanal::leaveMultiselect);
    mnuSelect_all->setVisible(false);
    mnuDisable_multiselect_mode->setVisible(false);
    mChannel->addSeparator();
    add("mnuSortiraj_sve_po_imenu", "Sort all channels by name", &Poisci_Kanal::sortAllByName);
    mChannel->addSeparator();
    QAction* exit = mChannel->addAction("Exit");
    exit->setObjectName("mnuExit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    TDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TDBGrid1, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (rows() > 0) {
            mChannel->popup(TDBGrid1->viewport()->mapToGlobal(at));
        }
    });
}

// Nastavitve_Grida: captions, font and widths; the tick column only in multi-select mode.
void Poisci_Kanal::Nastavitve_Grida()
{
    m_model->setHeaders({"select", text(settings::Texts::GroupColumn),
                         text(settings::Texts::ChannelNameColumn),
                         text(settings::Texts::TvgNameColumn), "broj", "Link"});
    TDBGrid1->setFont(QFont("Verdana", 9));
    const int widths[] = {50, 200, 260, 220, 70, 400};
    for (int column = 0; column < 6; ++column) {
        TDBGrid1->setColumnWidth(column, widths[column]);
    }
    TDBGrid1->setColumnHidden(0, !m_ticksShown);
    lblCount->setText(text(settings::Texts::ChannelsCaption) + "( " +
                      QString::fromStdString(text::formatCount(rows())) + " )");
}

void Poisci_Kanal::txtNajdi_changed()
{
    m_byName = false;
    m_rowAfterAnswer = 0;
    const std::string find = txtNajdi->text().toStdString();
    if (find.empty()) {
        // The empty box shows no channel at once; the search makes sure no older answer follows.
        m_model->showHits({});
        Nastavitve_Grida();
    }
    m_runner->search(find);
}

void Poisci_Kanal::sortAllByName()
{
    m_byName = true;
    m_rowAfterAnswer = 0;
    m_runner->showAllByName();
}

void Poisci_Kanal::showList(const std::vector<std::int64_t>& ids)
{
    m_model->showHits(ids);
    Nastavitve_Grida();
    selectRow(std::min(m_rowAfterAnswer, rows() - 1));
    emit listShown();
}

int Poisci_Kanal::rows() const
{
    return m_model->rowCount();
}

int Poisci_Kanal::currentRow() const
{
    const int row = TDBGrid1->currentIndex().row();
    return row < rows() ? row : -1;
}

void Poisci_Kanal::selectRow(int row)
{
    if (row < 0 || row >= rows()) {
        return;
    }
    const QModelIndex index = m_model->index(row, SearchGridModel::kNameColumn);
    TDBGrid1->setCurrentIndex(index);
    TDBGrid1->scrollTo(index);
}

// The current-row state the main window reads back (PozicijaK).
void Poisci_Kanal::rowChanged(int row)
{
    if (row >= 0) {
        m_settings.write(settings::Keys::PozicijaK, static_cast<long long>(row));
    }
}

void Poisci_Kanal::publish(unsigned parts, bool ticksOnly)
{
    editing::StoreChange change;
    change.parts = parts;
    m_ticking = ticksOnly;
    m_services.events.publish(change);
    m_ticking = false;
}

// Ticks change no name, group or order: the shown rows are read again. Any other change is
// searched again over the changed playlist, and the row of the same number made current.
void Poisci_Kanal::storeChanged(const editing::StoreChange& change)
{
    m_model->refreshValues();
    if (m_ticking) {
        return;
    }
    m_rowAfterAnswer = std::max(0, currentRow());
    m_runner->reload();
    if (m_byName) {
        m_runner->showAllByName();
    } else {
        m_runner->search(txtNajdi->text().toStdString());
    }
    Q_UNUSED(change);
}

void Poisci_Kanal::closeEvent(QCloseEvent* event)
{
    // Ticks made here do not outlive the window.
    if (m_ticksShown) {
        leaveMultiselect();
    }
    event->accept();
    emit closed();
}

} // namespace listrion::tools::ui
