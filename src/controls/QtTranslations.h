#pragma once

#include <string_view>

namespace listrion::controls {

// Gives Qt's own texts (the standard buttons of message boxes and dialogs, the file dialogs)
// the language `locale` ("de", "fr", ...): installs Qt's translation "qtbase_<locale>" from the
// system's Qt translations folder in place of the one installed before. Where the system ships
// none for that language (and for English), Qt's built-in English texts are used. Returns
// whether a translation was installed.
bool useQtTranslations(std::string_view locale);

} // namespace listrion::controls
