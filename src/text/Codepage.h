#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::text {

// The encoding of a playlist file's text. A single-byte code page decodes one character per
// byte and writes back through the same table; characters it cannot hold are written as its
// default character '?'. UTF-8 keeps the bytes as they are (ill-formed sequences read as
// U+FFFD). Text inside the program is UTF-8 either way.
class Codepage {
public:
    // UTF-8 (also utf8), windows-1250, windows-1251, windows-1252 or iso-8859-2 (also cp1250,
    // 1250, ...); any letter case. nullptr for an unknown name.
    static const Codepage* find(std::string_view name);
    // The single-byte code pages only; nullptr for UTF-8 and unknown names.
    static const Codepage* findSingleByte(std::string_view name);
    // The code page used when none is configured.
    static const Codepage& windows1250();
    static const Codepage& utf8();
    // The single-byte code pages.
    static std::vector<std::string_view> names();

    std::string_view name() const { return m_name; }
    bool isUtf8() const { return m_upper == nullptr; }
    // The character a byte stands for; single-byte code pages only.
    char16_t decodeByte(unsigned char byte) const
    {
        return byte < 0x80 ? char16_t{byte} : (*m_upper)[byte - 0x80];
    }

    void appendDecoded(std::string& utf8, std::string_view bytes) const;
    std::string decode(std::string_view bytes) const;
    void appendEncoded(std::string& bytes, std::string_view utf8) const;
    std::string encode(std::string_view utf8) const;

    Codepage(std::string_view name, const std::array<char16_t, 128>* upper);

private:
    std::string_view m_name;
    const std::array<char16_t, 128>* m_upper; // nullptr for UTF-8
    // Byte for each BMP code point from U+0080; 0 where the code page has none.
    std::unique_ptr<unsigned char[]> m_reverse;
};

// What a playlist file is read with: a fixed code page, or (automatic) UTF-8 when its bytes are
// well-formed UTF-8 and `page`, a single-byte code page, when they are not.
struct CodepageChoice {
    const Codepage* page = &Codepage::windows1250();
    bool automatic = false;

    // "auto" (any letter case) or a code page's name; `fallback` is the single-byte code page of
    // "auto". Nothing for an unknown name.
    static std::optional<CodepageChoice> parse(std::string_view name, const Codepage& fallback);
    // "auto" or the code page's name.
    std::string_view name() const { return automatic ? std::string_view("auto") : page->name(); }
};

} // namespace listrion::text
