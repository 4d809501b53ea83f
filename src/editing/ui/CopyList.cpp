#include "editing/ui/CopyList.h"

#include "store/NamedBackups.h"

#include <exception>

namespace listrion::editing::ui {

bool fillCopyList(QListWidget& list, const store::Database& db)
{
    list.clear();
    try {
        for (const std::string& name : store::Prikazi_Kopije(db)) {
            list.addItem(QString::fromStdString(name));
        }
        return true;
    } catch (const std::exception&) {
        list.clear();
        return false;
    }
}

} // namespace listrion::editing::ui
