// The main window's entries of the settings windows and of the program variants, and the restart.
#include "editing/ui/Glavna.h"

#include "settings/ProgramVariants.h"
#include "settings/TextCatalogue.h"
#include "settings/ui/Kolone_prikaz.h"
#include "settings/ui/Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace listrion::editing {

void Glavna::buildSettingsEntries(QMenu* extra)
{
    using namespace settings::Texts;
    extra->addSeparator();
    QAction* fonts = keyed(extra->addAction(QString()), FontsEntry);
    fonts->setObjectName("mnuSelect_font");
    connect(fonts, &QAction::triggered, this, [this] {
        settings::ui::Settings window(m_settings, *m_texts, m_services.prompter, m_settingsEvents,
                                      this);
        window.exec();
        if (window.restartChosen()) {
            RestartPrograma();
        }
    });
    QAction* rows = keyed(extra->addAction(QString()), ColumnsEntry);
    rows->setObjectName("mnuSelect_rows");
    connect(rows, &QAction::triggered, this, [this] {
        settings::ui::Kolone_prikaz window(m_settings, *m_texts, m_settingsEvents, this);
        window.exec();
    });

    QMenu* variants = keyed(extra->addMenu(QString()), VariantsMenu);
    variants->setObjectName("mnuSystem");
    auto* group = new QActionGroup(variants);
    for (int entry = 1; entry <= settings::ProgramVariants::kCount; ++entry) {
        const std::string_view version = settings::ProgramVariants::version(entry);
        // The entries read as version numbers under the submenu's caption.
        QAction* variant = variants->addAction(
            QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size())));
        variant->setObjectName("mnuSystem" + QString::number(entry));
        variant->setCheckable(true);
        group->addAction(variant);
        connect(variant, &QAction::triggered, this, [this, entry] { startVariant(entry); });
    }

    connect(&m_settingsEvents, &settings::SettingsEvents::gridLookChanged, this, [this] {
        if (m_texts != nullptr && m_groups != nullptr && m_channels != nullptr) {
            applyGroupColumns();
            applyChannelColumns();
        }
    });
}

void Glavna::Oznaci_System(int entry)
{
    // A missing or unreadable value counts as the first entry.
    const int checked = entry == 0 ? 1 : entry;
    for (int i = 1; i <= settings::ProgramVariants::kCount; ++i) {
        findChild<QAction*>("mnuSystem" + QString::number(i))->setChecked(i == checked);
    }
}

void Glavna::startVariant(int entry)
{
    Oznaci_System(static_cast<int>(m_settings.readNumber(settings::Keys::System).value_or(0)));
    const std::filesystem::path directory = QCoreApplication::applicationDirPath().toStdString();
    const std::optional<std::filesystem::path> program =
        settings::ProgramVariants::find(directory, entry);
    if (!program) {
        m_services.prompter.message(
            QString::fromStdString(settings::ProgramVariants::notInstalled(entry, directory)));
        return;
    }
    m_next = NextProgram{QString::fromStdString(program->string()),
                         {"--home", QString::fromStdString(m_folder.path().string())}};
    close();
}

void Glavna::RestartPrograma()
{
    m_next = NextProgram{QCoreApplication::applicationFilePath(),
                         {"--home", QString::fromStdString(m_folder.path().string())}};
    close();
}

} // namespace listrion::editing
