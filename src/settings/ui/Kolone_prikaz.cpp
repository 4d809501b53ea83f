#include "settings/ui/Kolone_prikaz.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "settings/Settings.h"
#include "settings/SettingsEvents.h"
#include "settings/TextCatalogue.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace listrion::settings::ui {
namespace {

// The captions of the boxes: the channel grid's columns, then the group grid's.
constexpr std::array<const char*, Kolone_prikaz::kColumns> kCaptions = {
    "Channels name", "Channels  ID", "EPG ID", "Link",   "Logo",
    "Type",          "Group name",   "Type",   "Streams"};

} // namespace

Kolone_prikaz::Kolone_prikaz(const settings::Settings& settings, const TextSource& texts,
                             SettingsEvents& events, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_events(events)
{
    setObjectName("Kolone_prikaz");
    const auto caption = [&texts](TextKey key) {
        return QString::fromStdString(texts.text(key));
    };
    setWindowTitle(caption(Texts::ColumnChooserCaption));
    auto* Frame1 = new QGroupBox(caption(Texts::ColumnChooserFrame), this);
    Frame1->setObjectName("Frame1");
    auto* Frame2 = new QGroupBox(caption(Texts::ColumnChooserGroupFrame), this);
    Frame2->setObjectName("Frame2");
    new QGridLayout(Frame1);
    new QGridLayout(Frame2);
    for (int i = 0; i < kColumns; ++i) {
        addColumnRow(i, i < 6 ? Frame1 : Frame2);
    }
    showStored();

    auto* cmdSave_ = new controls::Gumb(caption(Texts::SaveButton), this);
    cmdSave_->setObjectName("cmdSave");
    auto* cmdCancel = new controls::Gumb(caption(Texts::CancelButton), this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(buttons);
    new controls::AutoResize(this);

    connect(cmdSave_, &QAbstractButton::clicked, this, &Kolone_prikaz::cmdSave);
    connect(cmdCancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void Kolone_prikaz::addColumnRow(int i, QGroupBox* frame)
{
    const QString n = QString::number(i + 1);
    m_checks[i] = new QCheckBox(kCaptions[i], frame);
    m_checks[i]->setObjectName("Check" + n);
    // The name columns always show.
    m_checks[i]->setEnabled(i != 0 && i != 6);
    txtSirina[i] = new QLineEdit(frame);
    txtSirina[i]->setObjectName("txtSirina" + n);
    txtSirina[i]->setMaximumWidth(80);
    auto* minus = new controls::Gumb("-", frame);
    minus->setObjectName("cmdMinus" + n);
    auto* plus = new controls::Gumb("+", frame);
    plus->setObjectName("cmdPlus" + n);
    for (controls::Gumb* gumb : {minus, plus}) {
        gumb->setFixedWidth(32);
    }
    auto* rows = static_cast<QGridLayout*>(frame->layout());
    const int row = i < 6 ? i : i - 6; // the group grid's rows start a frame of their own
    rows->addWidget(m_checks[i], row, 0);
    rows->addWidget(minus, row, 1);
    rows->addWidget(txtSirina[i], row, 2);
    rows->addWidget(plus, row, 3);
    rows->setColumnStretch(0, 1);
    connect(minus, &QAbstractButton::clicked, this, [this, i] { cmdMinus(i); });
    connect(plus, &QAbstractButton::clicked, this, [this, i] { cmdPlus(i); });
}

void Kolone_prikaz::showStored()
{
    for (int i = 0; i < kColumns; ++i) {
        // An empty entry reads as shown, as the grids show such a column.
        m_checks[i]->setChecked(m_settings.read(Keys::prikaz(i + 1)) != "0");
        std::string width = m_settings.read(Keys::sirina(i + 1));
        if (width.empty()) {
            width = std::to_string(Keys::builtInWidth(i + 1));
        }
        txtSirina[i]->setText(QString::fromStdString(width));
    }
}

long long Kolone_prikaz::widthValue(const QString& text)
{
    bool number = false;
    const long long value = text.trimmed().toLongLong(&number);
    return number ? value : 0;
}

void Kolone_prikaz::cmdPlus(int i)
{
    txtSirina[i]->setText(QString::number(widthValue(txtSirina[i]->text()) + kStep));
}

void Kolone_prikaz::cmdMinus(int i)
{
    const long long value = widthValue(txtSirina[i]->text());
    if (value - kStep >= 0) {
        txtSirina[i]->setText(QString::number(value - kStep));
    }
}

void Kolone_prikaz::cmdSave()
{
    for (int i = 0; i < kColumns; ++i) {
        m_settings.write(Keys::prikaz(i + 1), m_checks[i]->isChecked() ? "1" : "0");
    }
    for (int i = 0; i < kColumns; ++i) {
        m_settings.write(Keys::sirina(i + 1), widthValue(txtSirina[i]->text()));
    }
    m_events.announceGridLook();
    accept();
}

} // namespace listrion::settings::ui
