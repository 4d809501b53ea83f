#pragma once

#include <string>
#include <string_view>

namespace listrion::settings {

// A language text by section and number, as Main/60. The program's keys are named in
// TextCatalogue.h.
struct TextKey {
    std::string_view section;
    int key;
};

// Where a window finds the text of a language key (section and number, as Main/60), already
// decoded to UTF-8; the empty text when the file, section or key is missing.
class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::string text(std::string_view section, int key) const = 0;

    std::string text(TextKey key) const { return text(key.section, key.key); }
};

} // namespace listrion::settings
