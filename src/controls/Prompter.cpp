#include "controls/Prompter.h"

#include <QFileInfo>

namespace listrion::controls {

QString withDefaultExtension(const QString& path, const QString& extension)
{
    const QFileInfo file(path);
    if (extension.isEmpty() || file.fileName().isEmpty() || !file.suffix().isEmpty() ||
        file.fileName().endsWith('.')) {
        return path;
    }
    return path + '.' + extension;
}

} // namespace listrion::controls
