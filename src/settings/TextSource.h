#pragma once

#include <string>
#include <string_view>

namespace listrion::settings {

// Where a window finds the text of a language key (section and number, as Main/60), already
// decoded to UTF-8; the empty text when the file, section or key is missing.
class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::string text(std::string_view section, int key) const = 0;
};

} // namespace listrion::settings
