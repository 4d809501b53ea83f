#pragma once

#include "playlist/Codepage.h"
#include "playlist/TextCleanup.h"

#include <string>
#include <string_view>

namespace listrion::playlist {

// Turns the bytes of a playlist value into the UTF-8 text the store holds. Links, logos and
// tvg-ids are always the code page's reading of their bytes, so the writer can give the same
// bytes back. Names, tvg-names and groups are decoded as UTF-8 (percent forms included) and
// their letters č ć š ž đ folded, but only under the regions "Balkan" and "Central European";
// under any other region they are read like the rest. A UTF-8 file's text is text already:
// under those regions only its percent escapes are decoded and the ten letters folded. The
// forms with an `out` parameter reuse its storage.
class ValueDecoder {
public:
    ValueDecoder(const Codepage& codepage, std::string_view region);

    static bool regionDecodes(std::string_view region);

    const Codepage& codepage() const { return *m_codepage; }
    bool decodesRegion() const { return m_regional; }
    // How the clean-up of the extracted values sees the line's bytes.
    TextCleanup::Encoding cleanupEncoding() const
    {
        return m_codepage->isUtf8() ? TextCleanup::Encoding::Utf8
                                    : TextCleanup::Encoding::SingleByte;
    }

    std::string plain(std::string_view bytes) const;
    void plain(std::string_view bytes, std::string& out) const;
    std::string regional(std::string_view bytes) const;
    // `text` holds the bytes and receives the decoded text.
    void regionalInPlace(std::string& text) const;

private:
    const Codepage* m_codepage;
    bool m_regional;
};

} // namespace listrion::playlist
