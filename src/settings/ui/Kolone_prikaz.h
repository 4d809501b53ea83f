#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace listrion::settings {
class Settings;
class SettingsEvents;
class TextSource;
} // namespace listrion::settings

namespace listrion::settings::ui {

// The column chooser: which grid columns show (Prikaz 1..9) and how wide they are (Sirina
// 1..9, in twips): the channel grid's six columns, then the group grid's three. Save writes
// both sections and announces them; Cancel writes nothing.
class Kolone_prikaz : public QDialog {
    Q_OBJECT

public:
    static constexpr int kColumns = 9;
    static constexpr int kStep = 20;

    Kolone_prikaz(const settings::Settings& settings, const TextSource& texts,
                  SettingsEvents& events, QWidget* parent = nullptr);

    // The number a width box holds; text that is not a whole number counts as 0.
    static long long widthValue(const QString& text);

private:
    // Check box, minus, width box and plus of column i (0-based) in `frame`.
    void addColumnRow(int i, QGroupBox* frame);
    void showStored();
    void cmdPlus(int i);
    void cmdMinus(int i);
    void cmdSave();

    const settings::Settings& m_settings;
    SettingsEvents& m_events;
    std::array<QCheckBox*, kColumns> m_checks{};
    std::array<QLineEdit*, kColumns> txtSirina{};
};

} // namespace listrion::settings::ui
