#include "settings/ui/Settings.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "settings/Regions.h"
#include "settings/Settings.h"
#include "settings/SettingsEvents.h"
#include "settings/TextCatalogue.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace listrion::settings::ui {
namespace {

QString qtext(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* list(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMinimumContentsLength(16);
    return box;
}

controls::Gumb* button(QWidget* parent, const char* name, const QString& caption = {})
{
    auto* gumb = new controls::Gumb(caption, parent);
    gumb->setObjectName(name);
    return gumb;
}

} // namespace

Settings::Settings(const settings::Settings& settings, const TextSource& texts,
                   controls::Prompter& prompter, SettingsEvents& events, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_events(events)
{
    setObjectName("Settings");
    ComboFont_Ime = list(this, "ComboFont_Ime");
    ComboFont_Velikost_Ime = list(this, "ComboFont_Velikost_Ime");
    Combo_Font_Group = list(this, "Combo_Font_Group");
    ComboFont_Velikost_Group = list(this, "ComboFont_Velikost_Group");
    Combo_Region = list(this, "Combo_Region");
    ComboFont_Velikost_Ime->setMinimumContentsLength(3);
    ComboFont_Velikost_Group->setMinimumContentsLength(3);
    cmdOK_ = button(this, "cmdOK");
    cmdIzlaz = button(this, "cmdIzlaz");
    buildLayout(texts);
    new controls::AutoResize(this);

    Prevedi(texts);
    Napuni_Kombo_Region();
    Postavi_Poziciju_Region();
    Napuni_Kombo_Fonti();

    const std::pair<QComboBox*, SettingsKey> stored[] = {
        {ComboFont_Ime, Keys::ChannelFontName},
        {ComboFont_Velikost_Ime, Keys::ChannelFontSize},
        {Combo_Font_Group, Keys::GroupFontName},
        {ComboFont_Velikost_Group, Keys::GroupFontSize}};
    for (const auto& [box, key] : stored) {
        connect(box, &QComboBox::activated, this, [this, box, key] { chosen(box, key); });
    }
    connect(Combo_Region, &QComboBox::activated, this, [this] {
        Napuni_Kombo_Fonti();
        m_events.announceGridLook();
    });
    connect(cmdOK_, &QAbstractButton::clicked, this, &Settings::cmdOK);
    connect(cmdIzlaz, &QAbstractButton::clicked, this, &QDialog::reject);
}

void Settings::buildLayout(const TextSource& texts)
{
    // A button that steps a font list to its previous or next entry.
    const auto stepper = [this](const char* name, int direction, QComboBox* box, SettingsKey key) {
        controls::Gumb* arrow = button(this, name, direction < 0 ? "<" : ">");
        arrow->setFixedWidth(32);
        connect(arrow, &QAbstractButton::clicked, this,
                [this, box, key, direction] { step(box, key, direction); });
        return arrow;
    };
    const auto label = [this, &texts](TextKey key) {
        return new QLabel(QString::fromStdString(texts.text(key)), this);
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label(Texts::RegionLabel), 0, 0);
    grid->addWidget(Combo_Region, 0, 2, 1, 4);
    grid->addWidget(label(Texts::ChannelFontLabel), 1, 0);
    grid->addWidget(stepper("cmd_Naz_G", -1, ComboFont_Ime, Keys::ChannelFontName), 1, 1);
    grid->addWidget(ComboFont_Ime, 1, 2);
    grid->addWidget(stepper("cmdNap_G", 1, ComboFont_Ime, Keys::ChannelFontName), 1, 3);
    grid->addWidget(label(Texts::FontSizeLabel), 1, 4);
    grid->addWidget(ComboFont_Velikost_Ime, 1, 5);
    grid->addWidget(label(Texts::GroupFontLabel), 2, 0);
    grid->addWidget(stepper("cmdGroup_size_nazaj", -1, Combo_Font_Group, Keys::GroupFontName), 2,
                    1);
    grid->addWidget(Combo_Font_Group, 2, 2);
    grid->addWidget(stepper("cmdGroup_size_naprej", 1, Combo_Font_Group, Keys::GroupFontName), 2,
                    3);
    grid->addWidget(label(Texts::FontSizeLabel), 2, 4);
    grid->addWidget(ComboFont_Velikost_Group, 2, 5);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdIzlaz);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void Settings::Prevedi(const TextSource& texts)
{
    setWindowTitle(QString::fromStdString(texts.text(Texts::SettingsCaption)));
    cmdOK_->setText(QString::fromStdString(texts.text(Texts::OkButton)));
    cmdIzlaz->setText(QString::fromStdString(texts.text(Texts::CloseButton)));
}

void Settings::Napuni_Kombo_Region()
{
    Combo_Region->clear();
    for (std::string_view region : Regions::offered()) {
        Combo_Region->addItem(qtext(region));
    }
}

void Settings::Napuni_Kombo_Fonti()
{
    // The region shown; without one, the region in use.
    const std::string region = Combo_Region->currentIndex() >= 0
                                   ? Combo_Region->currentText().toStdString()
                                   : m_settings.region();
    for (QComboBox* box :
         {ComboFont_Ime, Combo_Font_Group, ComboFont_Velikost_Ime, ComboFont_Velikost_Group}) {
        box->clear();
    }
    for (std::string_view font : Regions::offeredFonts(region)) {
        ComboFont_Ime->addItem(qtext(font));
        Combo_Font_Group->addItem(qtext(font));
    }
    for (int size = Regions::kSmallestFontSize; size <= Regions::kLargestFontSize; ++size) {
        ComboFont_Velikost_Ime->addItem(QString::number(size));
        ComboFont_Velikost_Group->addItem(QString::number(size));
    }
    Postavi_Poziciju_Font();
    Postavi_Poziciju_Velikost();
}

void Settings::selectStored(QComboBox* box, SettingsKey key)
{
    const QString value = QString::fromStdString(m_settings.read(key));
    box->setCurrentIndex(value.isEmpty() ? -1 : box->findText(value));
}

void Settings::Postavi_Poziciju_Font()
{
    selectStored(ComboFont_Ime, Keys::ChannelFontName);
    selectStored(Combo_Font_Group, Keys::GroupFontName);
}

void Settings::Postavi_Poziciju_Velikost()
{
    selectStored(ComboFont_Velikost_Ime, Keys::ChannelFontSize);
    selectStored(ComboFont_Velikost_Group, Keys::GroupFontSize);
}

void Settings::Postavi_Poziciju_Region()
{
    selectStored(Combo_Region, Keys::Region);
    // Without a choice the list names the region in use, greyed.
    Combo_Region->setPlaceholderText(QString::fromStdString(m_settings.region()));
}

void Settings::chosen(QComboBox* box, SettingsKey key)
{
    if (box->currentIndex() < 0) {
        return;
    }
    m_settings.write(key, box->currentText().toStdString());
    m_events.announceGridLook();
}

void Settings::step(QComboBox* box, SettingsKey key, int direction)
{
    if (box->count() == 0) {
        return;
    }
    const int at = std::clamp(box->currentIndex() + direction, 0, box->count() - 1);
    if (at != box->currentIndex()) {
        box->setCurrentIndex(at);
        chosen(box, key);
    }
}

void Settings::cmdOK()
{
    const std::pair<QComboBox*, SettingsKey> lists[] = {
        {ComboFont_Ime, Keys::ChannelFontName},
        {ComboFont_Velikost_Ime, Keys::ChannelFontSize},
        {Combo_Font_Group, Keys::GroupFontName},
        {ComboFont_Velikost_Group, Keys::GroupFontSize},
        {Combo_Region, Keys::Region}};
    bool stored = false;
    for (const auto& [box, key] : lists) {
        if (box->currentIndex() >= 0) {
            stored = m_settings.write(key, box->currentText().toStdString()) || stored;
        }
    }
    if (stored) {
        m_events.announceGridLook();
    }
    m_restart = m_prompter.question(kRestartQuestion);
    accept();
}

} // namespace listrion::settings::ui
