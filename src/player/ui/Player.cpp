#include "player/ui/Player.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/ChannelGridModel.h"
#include "editing/StoreEvents.h"
#include "player/PlayerCommands.h"
#include "settings/TextCatalogue.h"
#include "store/History.h"
#include "store/TextCollation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace listrion::player::ui {
namespace {

using editing::ChannelGridModel;

controls::Gumb* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new controls::Gumb(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(44, 28);
    return b;
}

} // namespace

Player::Player(store::Database& db, const settings::TextSource& texts, Services services,
               QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_services(std::move(services))
{
    setObjectName("Player");
    new controls::AutoResize(this);
    build(texts);
    if (m_services.makePlayer) {
        m_player = m_services.makePlayer(VLCPlugin21);
    }
    if (m_player) {
        connect(m_player.get(), &PreviewPlayer::playing, this,
                [this] { lblStatus->setText("playing"); });
        connect(m_player.get(), &PreviewPlayer::failed, this,
                [this] { lblStatus->setText("cannot play"); });
    } else {
        lblStatus->setText("cannot play: the media player does not start");
    }
    connect(&m_services.events, &editing::StoreEvents::changed, this, &Player::storeChanged);
    Napuni_Kombo_Group();
    resize(1000, 560);
}

Player::~Player()
{
    // The grid reads through the model; it goes before the connection's users do.
    TDBGrid1->setModel(nullptr);
}

void Player::build(const settings::TextSource& texts)
{
    ComboGroup = new QComboBox(this);
    ComboGroup->setObjectName("ComboGroup");
    m_channels = new ChannelGridModel(m_db, this);
    m_channels->setHeaders({"sel.",
                            QString::fromStdString(texts.text(settings::Texts::ChannelNameColumn)),
                            QString::fromStdString(texts.text(settings::Texts::TvgNameColumn)),
                            "EPG ID", "Link", "Logo", "type"});
    TDBGrid1 = new QTableView(this);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_channels);
    TDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    TDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TDBGrid1->verticalHeader()->setVisible(false);
    TDBGrid1->verticalHeader()->setDefaultSectionSize(22);
    TDBGrid1->setColumnHidden(ChannelGridModel::kTickColumn, true);
    TDBGrid1->setColumnWidth(ChannelGridModel::kNameColumn, 220);
    VLCPlugin21 = new VideoSurface(this);
    VLCPlugin21->setObjectName("VLCPlugin21");

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(ComboGroup);
    leftLayout->addWidget(TDBGrid1, 1);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(VLCPlugin21, 1);
    rightLayout->addWidget(buildButtons());
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setSizes({380, 620});

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    lblStatus = new QLabel(status);
    lblStatus->setObjectName("lblStatus");
    status->addWidget(lblStatus, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(status);

    connect(ComboGroup, &QComboBox::activated, this, &Player::groupChosen);
    connect(TDBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChanged(current.row()); });
}

QWidget* Player::buildButtons()
{
    auto* box = new QWidget(this);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    cmdPlay = button("Play", "cmdPlay", box);
    cmdZac_P = button("|<", "cmdZac_P", box);
    cmdNaz_P = button("<", "cmdNaz_P", box);
    cmdNap_P = button(">", "cmdNap_P", box);
    cmdKonec_P = button(">|", "cmdKonec_P", box);
    cmdChannel_delete_ = button("Delete channel", "cmdChannel_delete", box);
    Text1 = new QLineEdit(box);
    Text1->setObjectName("Text1");
    Text2 = new QLineEdit(box);
    Text2->setObjectName("Text2");
    for (QLineEdit* field : {Text1, Text2}) {
        field->setReadOnly(true);
        field->setMaximumWidth(48);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cmdPlay, cmdZac_P, cmdNaz_P, cmdNap_P,
                                                      cmdKonec_P, cmdChannel_delete_}) {
        line->addWidget(w);
    }
    line->addStretch(1);
    line->addWidget(Text1);
    line->addWidget(Text2);

    connect(cmdPlay, &QAbstractButton::clicked, this, &Player::playCurrent);
    connect(cmdZac_P, &QAbstractButton::clicked, this, [this] {
        if (m_channels->rowCount() > 0 && TDBGrid1->currentIndex().row() != 0) {
            moveTo(0);
        }
    });
    connect(cmdNaz_P, &QAbstractButton::clicked, this, [this] {
        const int row = TDBGrid1->currentIndex().row();
        if (row > 0) {
            moveTo(row - 1);
        }
    });
    connect(cmdNap_P, &QAbstractButton::clicked, this, [this] {
        const int row = TDBGrid1->currentIndex().row();
        if (row >= 0 && row < m_channels->rowCount() - 1) {
            moveTo(row + 1);
        }
    });
    connect(cmdKonec_P, &QAbstractButton::clicked, this, [this] {
        const int last = m_channels->rowCount() - 1;
        if (last >= 0 && TDBGrid1->currentIndex().row() != last) {
            moveTo(last);
        }
    });
    connect(cmdChannel_delete_, &QAbstractButton::clicked, this, &Player::cmdChannel_delete);
    return box;
}

void Player::Napuni_Kombo_Group()
{
    const QString shown = ComboGroup->currentText();
    ComboGroup->clear();
    try {
        for (const std::string& name : groupsByPosition(m_db)) {
            ComboGroup->addItem(QString::fromStdString(name));
        }
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    ComboGroup->setCurrentIndex(std::max(0, ComboGroup->findText(shown, Qt::MatchFixedString)));
}

void Player::showChannels(const std::string& group, std::int64_t rowId)
{
    const int index = ComboGroup->findText(QString::fromStdString(group), Qt::MatchFixedString);
    if (index >= 0) {
        ComboGroup->setCurrentIndex(index);
    }
    m_quiet = true;
    m_channels->showGroupByPosition(group);
    m_quiet = false;
    const int row = m_channels->rowOfId(rowId);
    selectRow(row >= 0 ? row : 0);
}

void Player::groupChosen(int index)
{
    if (index < 0) {
        return;
    }
    m_quiet = true;
    m_channels->showGroupByPosition(ComboGroup->itemText(index).toStdString());
    m_quiet = false;
    selectRow(0);
}

void Player::selectRow(int row)
{
    if (row < 0 || row >= m_channels->rowCount()) {
        return;
    }
    const QModelIndex index = m_channels->index(row, ChannelGridModel::kNameColumn);
    if (TDBGrid1->currentIndex() == index) {
        rowChanged(row); // a fresh model keeps no current row: play it all the same
    }
    TDBGrid1->setCurrentIndex(index);
    TDBGrid1->scrollTo(index);
}

void Player::moveTo(int row)
{
    selectRow(row);
}

void Player::rowChanged(int row)
{
    if (!m_quiet && row >= 0) {
        playCurrent();
    }
}

void Player::playCurrent()
{
    const int row = TDBGrid1->currentIndex().row();
    if (row < 0 || row >= m_channels->rowCount()) {
        return;
    }
    const QString link =
        m_channels->data(m_channels->index(row, ChannelGridModel::kLinkColumn)).toString();
    const QString name =
        m_channels->data(m_channels->index(row, ChannelGridModel::kNameColumn)).toString();
    lblStatus->clear();
    if (m_player) {
        m_player->stop();
        m_player->clear();
        const MediaOptions options = m_services.mediaOptions
                                         ? m_services.mediaOptions(m_channels->rowId(row))
                                         : MediaOptions{};
        m_player->add(link.toStdString(), options);
        m_player->play();
    }
    Text1->setText("0");
    Text2->setText("True");
    setWindowTitle(name);
}

void Player::cmdChannel_delete()
{
    const int row = TDBGrid1->currentIndex().row();
    if (row < 0 || row >= m_channels->rowCount()) {
        return;
    }
    if (m_player) {
        m_player->stop();
        m_player->clear();
    }
    std::optional<std::string> group;
    try {
        const store::StepName step(
            m_db, "Delete channel '" +
                      m_channels->text(row, editing::ChannelGridModel::kNameColumn).toStdString() +
                      "'");
        group = deletePlayedChannel(m_db, m_channels->rowId(row));
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    if (group) {
        editing::StoreChange change;
        change.parts = editing::StoreChange::ChannelRows | editing::StoreChange::GroupRows;
        change.groups = {*group};
        m_services.events.publish(change);
    }
}

std::string Player::shownGroup() const
{
    return m_channels->group().value_or(std::string());
}

void Player::storeChanged(const editing::StoreChange& change)
{
    if (change.has(editing::StoreChange::GroupNames) ||
        change.has(editing::StoreChange::Playlist) || change.has(editing::StoreChange::GroupRows)) {
        Napuni_Kombo_Group();
    }
    std::string group = shownGroup();
    if (!change.renamedFrom.empty() && store::compareText(change.renamedFrom, group) == 0) {
        group = change.renamedTo;
    } else if (!change.touchesGroup(group)) {
        return;
    }
    // The same channel stays current and goes on playing; when it is gone, the row at its
    // place plays.
    const int row = TDBGrid1->currentIndex().row();
    const std::int64_t rowId = row >= 0 ? m_channels->rowId(row) : -1;
    m_quiet = true;
    m_channels->showGroupByPosition(group);
    const int same = m_channels->rowOfId(rowId);
    if (same >= 0) {
        selectRow(same);
    }
    m_quiet = false;
    if (same < 0) {
        selectRow(std::min(std::max(row, 0), m_channels->rowCount() - 1));
    }
}

void Player::closeEvent(QCloseEvent* event)
{
    if (m_player) {
        m_player->stop();
        m_player->clear();
    }
    emit closed();
    event->accept();
}

} // namespace listrion::player::ui
