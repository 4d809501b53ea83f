#include "controls/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace listrion::controls {

bool useQtTranslations(std::string_view locale)
{
    // One translator for the whole program, replaced on each change of language.
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    const QString name =
        "qtbase_" + QString::fromUtf8(locale.data(), static_cast<qsizetype>(locale.size()));
    if (locale == "en" ||
        !translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace listrion::controls
