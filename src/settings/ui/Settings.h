#pragma once

#include "settings/SettingsKey.h"

#include <QDialog>

class QComboBox;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls

namespace listrion::settings {
class Settings;
class SettingsEvents;
class TextSource;
} // namespace listrion::settings

namespace listrion::settings::ui {

// The window of the grid fonts and the character-set region. A font or size chosen is stored at
// once and announced, so the grids show it before the window closes; OK stores every list that
// has a choice and asks whether to restart the program.
class Settings : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kRestartQuestion =
        "The program must be restarted for the changes to take effect. Do I restart?";

    Settings(const settings::Settings& settings, const TextSource& texts,
             controls::Prompter& prompter, SettingsEvents& events, QWidget* parent = nullptr);

    // Whether the user answered Yes to the restart question of OK.
    bool restartChosen() const { return m_restart; }

private:
    void buildLayout(const TextSource& texts);
    void Prevedi(const TextSource& texts);
    void Napuni_Kombo_Region();
    void Napuni_Kombo_Fonti();
    void Postavi_Poziciju_Font();
    void Postavi_Poziciju_Velikost();
    void Postavi_Poziciju_Region();
    // Selects the entry equal to the value of `key`; no selection when there is none.
    void selectStored(QComboBox* list, SettingsKey key);
    // A choice in a font or size list: stored at once and announced.
    void chosen(QComboBox* list, SettingsKey key);
    // The previous (-1) or next (+1) entry of a font list, stopping at the ends.
    void step(QComboBox* list, SettingsKey key, int direction);
    void cmdOK();

    const settings::Settings& m_settings;
    controls::Prompter& m_prompter;
    SettingsEvents& m_events;
    bool m_restart = false;
    QComboBox* ComboFont_Ime = nullptr;
    QComboBox* ComboFont_Velikost_Ime = nullptr;
    QComboBox* Combo_Font_Group = nullptr;
    QComboBox* ComboFont_Velikost_Group = nullptr;
    QComboBox* Combo_Region = nullptr;
    controls::Gumb* cmdOK_ = nullptr;
    controls::Gumb* cmdIzlaz = nullptr;
};

} // namespace listrion::settings::ui
