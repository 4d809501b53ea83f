#include "editing/ui/ExplorerPane.h"

#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/GridSetup.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"
#include "text/CountText.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace listrion::editing::ui {

ExplorerPane::ExplorerPane(const EditingContext& context, Side side, Play play, QWidget* parent)
    : QWidget(parent), m_context(context), m_side(side), m_play(std::move(play))
{
    setObjectName(name("Pane"));
    m_model = new ChannelGridModel(context.db, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildTop();
    m_grid = new QTableView(this);
    m_grid->setObjectName(side == Side::Left ? "TDBGrid1" : "TDBGrid2");
    m_grid->setModel(m_model);
    prepareGrid(m_grid);
    m_part = new ChannelGridPart(
        m_grid, [this] { return m_context; }, ChannelGridPart::Form::Editor, this);
    m_part->wireEditorGrid();
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    emit rowVisited(current.row());
                }
            });
    m_caption = new QLabel(this);
    m_caption->setObjectName(name("lblChannels"));
    layout->addWidget(m_caption);
    layout->addWidget(m_grid, 1);
    buildCommands();
    buildMenu();
    m_part->setCaptions();
}

ExplorerPane::~ExplorerPane()
{
    m_grid->setModel(nullptr);
}

QString ExplorerPane::name(const char* control) const
{
    return QString(control) + (m_side == Side::Right ? "2" : "");
}

void ExplorerPane::buildTop()
{
    auto* top = new QHBoxLayout;
    auto* previous = new controls::Gumb("<", this);
    previous->setObjectName(name("cmd_Naz_G"));
    ComboGroup = new QComboBox(this);
    ComboGroup->setObjectName(name("ComboGroup"));
    ComboGroup->setMinimumWidth(180);
    auto* next = new controls::Gumb(">", this);
    next->setObjectName(name("cmdNap_G"));
    for (controls::Gumb* gumb : {previous, next}) {
        gumb->setMinimumSize(40, 28);
    }
    top->addWidget(previous);
    top->addWidget(ComboGroup, 1);
    top->addWidget(next);
    static_cast<QVBoxLayout*>(layout())->addLayout(top);
    // cmd_Naz_G and cmdNap_G: the previous or next group, at the ends nothing.
    connect(previous, &QAbstractButton::clicked, this, [this] {
        if (ComboGroup->currentIndex() > 0) {
            showGroupAt(ComboGroup->currentIndex() - 1);
        }
    });
    connect(next, &QAbstractButton::clicked, this, [this] {
        if (ComboGroup->currentIndex() < ComboGroup->count() - 1) {
            showGroupAt(ComboGroup->currentIndex() + 1);
        }
    });
    connect(ComboGroup, &QComboBox::activated, this, &ExplorerPane::showGroupAt);
}

void ExplorerPane::buildCommands()
{
    auto* row = new QHBoxLayout;
    ChannelGridPart* part = m_part;
    const std::tuple<const char*, const char*, std::function<void()>, int> buttons[] = {
        {"cmdZac_P", "|<", [part] { part->goTo(0); }, 2},
        {"cmdNaz_P", "<", [part] { part->goTo(1); }, 2},
        {"cmdNap_P", ">", [part] { part->goTo(2); }, 2},
        {"cmdKonec_P", ">|", [part] { part->goTo(3); }, 2},
        {"cmdChannel_up", "Up", [part] { part->moveUp(true); }, 0},
        {"cmdChannel_down", "Down", [part] { part->moveDown(true); }, 0},
        {m_side == Side::Left ? "control65" : "cmdChannel_new", "Add",
         [this] {
             if (rows() > 0) {
                 m_part->addChannel(false);
             }
         },
         0},
        {"cmdChannel_edit", "Edit", [part] { part->editChannel(); }, 0},
        {"cmdChannel_delete", "Delete", [part] { part->deleteChannels(false); }, 1}};
    for (const auto& [control, caption, command, kind] : buttons) {
        auto* gumb = new controls::Gumb(caption, this);
        gumb->setObjectName(std::string_view(control) == "control65" ? QString(control)
                                                                     : name(control));
        gumb->setMinimumSize(36, 28);
        row->addWidget(gumb);
        connect(gumb, &QAbstractButton::clicked, part, command);
        if (kind < 2) {
            part->addChannelControl(gumb, kind == 1);
        }
    }
    auto* play = new controls::Gumb("Play", this);
    play->setObjectName(name("cmdPlay"));
    play->setMinimumSize(36, 28);
    play->setVisible(static_cast<bool>(m_play));
    connect(play, &QAbstractButton::clicked, this, [this] {
        if (m_play && currentRow() >= 0) {
            m_play(m_model->rowId(currentRow()));
        }
    });
    part->addChannelControl(play);
    row->addWidget(play);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void ExplorerPane::showCaption()
{
    m_caption->setText(m_context.text(settings::Texts::ChannelsCaption) + "( " +
                       QString::fromStdString(text::formatCount(m_model->rowCount())) + " )  ");
}

int ExplorerPane::rows() const
{
    return m_model->rowCount();
}

int ExplorerPane::currentRow() const
{
    return m_part->currentRow();
}

void ExplorerPane::selectRow(int row)
{
    m_part->selectRow(row);
}

std::optional<std::string> ExplorerPane::group() const
{
    if (ComboGroup->currentIndex() < 0) {
        return std::nullopt;
    }
    return ComboGroup->currentText().toStdString();
}

void ExplorerPane::fillGroups(const QStringList& names, const std::string& renamedFrom,
                              const std::string& renamedTo)
{
    std::string shown = group().value_or(std::string());
    if (!renamedFrom.empty() && store::compareText(shown, renamedFrom) == 0) {
        shown = renamedTo;
    }
    const QSignalBlocker quiet(ComboGroup);
    ComboGroup->clear();
    ComboGroup->addItems(names);
    int at = -1;
    for (int i = 0; i < names.size() && at < 0; ++i) {
        if (store::compareText(names[i].toStdString(), shown) == 0) {
            at = i;
        }
    }
    // A group that has gone: the pane shows the first remaining group.
    ComboGroup->setCurrentIndex(names.isEmpty() ? -1 : std::max(0, at));
}

void ExplorerPane::showGroupAt(int index)
{
    if (index < 0 || index >= ComboGroup->count()) {
        return;
    }
    ComboGroup->setCurrentIndex(index);
    m_model->showGroupByPosition(ComboGroup->currentText().toStdString());
    applyChannelGridColumns(m_grid, *m_model, m_context.settings, m_context.texts,
                            m_part->ticksShown(), GridOwner::Editor);
    showCaption();
    m_part->selectRow(0);
}

void ExplorerPane::reread()
{
    const int row = currentRow();
    const std::int64_t id = row >= 0 ? m_model->rowId(row) : 0;
    const std::optional<std::string> shown = group();
    shown ? m_model->showGroupByPosition(*shown) : m_model->showAll();
    showCaption();
    const int again = m_model->rowOfId(id);
    m_part->selectRow(again >= 0 ? again : std::min(std::max(row, 0), m_model->rowCount() - 1));
}

} // namespace listrion::editing::ui
