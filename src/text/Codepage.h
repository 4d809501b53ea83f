#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::text {

// A single-byte code page: playlist bytes decode one character per byte and are written back
// through the same table. Text inside the program is UTF-8; characters the code page cannot
// hold are written as its default character '?'.
class Codepage {
public:
    // windows-1250, windows-1251, windows-1252 or iso-8859-2 (also cp1250, 1250, ...; any
    // letter case). nullptr for an unknown name.
    static const Codepage* find(std::string_view name);
    // The code page used when none is configured.
    static const Codepage& windows1250();
    static std::vector<std::string_view> names();

    std::string_view name() const { return m_name; }
    char16_t decodeByte(unsigned char byte) const
    {
        return byte < 0x80 ? char16_t{byte} : m_upper[byte - 0x80];
    }

    void appendDecoded(std::string& utf8, std::string_view bytes) const;
    std::string decode(std::string_view bytes) const;
    void appendEncoded(std::string& bytes, std::string_view utf8) const;
    std::string encode(std::string_view utf8) const;

    Codepage(std::string_view name, const std::array<char16_t, 128>& upper);

private:
    std::string_view m_name;
    const std::array<char16_t, 128>& m_upper;
    // Byte for each BMP code point from U+0080; 0 where the code page has none.
    std::unique_ptr<unsigned char[]> m_reverse;
};

} // namespace listrion::text
