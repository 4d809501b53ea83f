#include "playlist/TextCleanup.h"

#include <array>

namespace listrion::playlist::TextCleanup {
namespace {

// Decoration sequences, replaced by "===" in this order (the tvg-id removes the first four).
constexpr std::array<std::string_view, 7> kDecorations = {
    "\x7C\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6", // | ✦ ● ✦
    "\xE2\x9C\xA6\xE2\x97\x9F\xE2\x9C\xA6\x7C", // ✦ ◟ ✦ |
    "\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6\x7C", // ✦ ● ✦ |
    "\xE2\x9C\xA6\xE2\x97\x9F\xE2\x9C\xA6",     // ✦ ◟ ✦
    "\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6",     // ✦ ● ✦
    "\xE2\x9C\xE2\x9C\xE2\x9C",                 // incomplete sequences
    "\xE2\x81\xBD\xE1\xB6\x9C\xE2\x81\xBE",     // ⁽ᶜ⁾
};

struct Word {
    std::string_view bytes;
    std::string_view replacement;
    bool groupOnly;
};

constexpr std::array<Word, 4> kSuperscriptWords = {{
    {"\xE1\xB5\x81\xE1\xB4\xB4\xE1\xB4\xB0", " UHD", false}, // ᵁᴴᴰ
    {"\xCA\xB3\xE1\xB5\x89\xE1\xB6\x9C", " rec", false},     // ʳᵉᶜ
    {"\x20\xE1\xB5\x9B\xE1\xB6\xA6\xE1\xB5\x96", " VIP", true},
    {"\xE1\xB5\x97\xE1\xB5\x89\xCA\xB3\xE1\xB5\x98\xE1\xB5\x8D\xE1\xB5\x8F\xE2\x81\xB1\xCA\xB2"
     "\xE1\xB5\x8F\xE1\xB5\x89\xE2\x81\xBF",
     " terugkijken", true},
}};

constexpr std::string_view kRemovedBytes = "\"'*\xA9\x84\xB9\xA8";
constexpr char kNameOnlyByte = '\xD8';
// The characters the bytes A9, 84, B9 and A8 stand for in windows-1250 (© „ ą ¨), and D8's Ř.
constexpr std::array<std::string_view, 4> kRemovedCharacters = {"\xC2\xA9", "\xE2\x80\x9E",
                                                                "\xC4\x85", "\xC2\xA8"};
constexpr std::string_view kNameOnlyCharacter = "\xC5\x98";

// What each byte means to the clean-up, as bit flags.
enum : unsigned char {
    kRemoved = 1,       // removed from every field
    kRemovedInName = 2, // removed from GetChannelName's name only
    kInDecoration = 4,
    kInWord = 8,
    kLeadsRemovedCharacter = 16, // a UTF-8 lead byte of a removed character
};

constexpr std::array<unsigned char, 256> byteRoles()
{
    std::array<unsigned char, 256> table{};
    for (char c : kRemovedBytes) {
        table[static_cast<unsigned char>(c)] |= kRemoved;
    }
    table[static_cast<unsigned char>(kNameOnlyByte)] |= kRemovedInName;
    table[0xE2] |= kInDecoration; // every decoration holds E2
    table[0xE1] |= kInWord;       // every superscript word holds E1 or CA
    table[0xCA] |= kInWord;
    for (unsigned char lead : {0xC2, 0xC4, 0xC5, 0xE2}) {
        table[lead] |= kLeadsRemovedCharacter;
    }
    return table;
}
constexpr std::array<unsigned char, 256> kByteRoles = byteRoles();

} // namespace

void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    std::size_t at = text.find(from);
    if (from.empty() || at == std::string::npos) {
        return;
    }
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    while (at != std::string::npos) {
        out.append(text, done, at - done).append(to);
        done = at + from.size();
        at = text.find(from, done);
    }
    out.append(text, done);
    text.swap(out);
}

std::string clean(std::string_view bytes, Field field, Encoding encoding)
{
    std::string out;
    clean(bytes, field, out, encoding);
    return out;
}

namespace {

// UTF-8: the ASCII characters go byte by byte, the others as whole sequences.
void removeCharacters(std::string_view bytes, Field field, unsigned char seen, std::string& out)
{
    if ((seen & kRemoved) == 0) {
        out.assign(bytes);
    } else {
        out.clear();
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0x80 || (kByteRoles[b] & kRemoved) == 0) {
                out.push_back(c);
            }
        }
    }
    if ((seen & kLeadsRemovedCharacter) != 0) {
        for (std::string_view character : kRemovedCharacters) {
            replaceAll(out, character, "");
        }
        if (field == Field::Name) {
            replaceAll(out, kNameOnlyCharacter, "");
        }
    }
}

} // namespace

void clean(std::string_view bytes, Field field, std::string& out, Encoding encoding)
{
    const unsigned char removed = field == Field::Name ? (kRemoved | kRemovedInName) : kRemoved;
    unsigned char seen = 0;
    for (char c : bytes) {
        seen |= kByteRoles[static_cast<unsigned char>(c)];
    }
    if (encoding == Encoding::Utf8) {
        removeCharacters(bytes, field, seen, out);
    } else if ((seen & removed) == 0) {
        out.assign(bytes);
    } else {
        out.clear();
        for (char c : bytes) {
            if ((kByteRoles[static_cast<unsigned char>(c)] & removed) == 0) {
                out.push_back(c);
            }
        }
    }
    if ((seen & kInDecoration) != 0) {
        for (std::string_view decoration : kDecorations) {
            replaceAll(out, decoration, "===");
        }
    }
    if ((seen & kInWord) != 0) {
        for (const Word& word : kSuperscriptWords) {
            if (!word.groupOnly || field == Field::Group) {
                replaceAll(out, word.bytes, word.replacement);
            }
        }
    }
}

std::string cleanTvgId(std::string_view bytes, Encoding encoding)
{
    const bool utf8 = encoding == Encoding::Utf8;
    std::string text(bytes);
    replaceAll(text, "tvg-id=", "");
    const std::string_view copyright = utf8 ? kRemovedCharacters[0] : "\xA9";
    const std::string_view lowQuote = utf8 ? kRemovedCharacters[1] : "\x84";
    for (std::string_view removed : {std::string_view("\""), std::string_view("I"), copyright}) {
        replaceAll(text, removed, "");
    }
    for (std::size_t i = 0; i < 4; ++i) {
        replaceAll(text, kDecorations[i], "");
    }
    for (std::string_view removed :
         {std::string_view("["), std::string_view("]"), std::string_view("'"), lowQuote}) {
        replaceAll(text, removed, "");
    }
    return text;
}

} // namespace listrion::playlist::TextCleanup
