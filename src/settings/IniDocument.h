#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::settings {

// An INI file held as its lines, read and changed with the semantics of the classic Windows
// profile functions: section and key names ignore letter case, the first matching section and
// key win, a value loses its surrounding blanks and one pair of surrounding quotes and is cut to
// 254 characters, and writing keeps every other line and comment as it was. Text is kept as the
// file's bytes.
class IniDocument {
public:
    static constexpr std::size_t kMaxValueLength = 254;

    // One key line inside a section, as written in the file.
    struct Entry {
        std::string section;
        std::string key;
        std::string text; // everything after '=', blanks around it removed, quotes kept, not cut
        std::size_t line; // 1-based line number
    };

    // A missing or unreadable file gives an empty document.
    static IniDocument load(const std::filesystem::path& file);
    // The document of a file's content.
    static IniDocument parse(std::string content);
    // A value as the reader gives it, before the length cut: one pair of matching quotes
    // (double or single) around it removed.
    static std::string_view unquote(std::string_view value);

    // The value, or the empty text when the section or key is missing.
    std::string value(std::string_view section, std::string_view key) const;
    bool hasValue(std::string_view section, std::string_view key) const;
    // Replaces the key's value, or adds the key at the end of its section (the section at the
    // end of the document when missing). Line breaks in the value become spaces, so a value can
    // never add lines to the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the document beside `file` and renames it over `file`, so the old file stays whole
    // until the new one is complete. Returns false when it cannot be written.
    bool save(const std::filesystem::path& file) const;

    std::string text() const;
    // Every key line that belongs to a section, in file order (later duplicates included).
    std::vector<Entry> entries() const;

private:
    struct Found {
        std::size_t sectionLine = npos; // the [section] line
        std::size_t endLine = npos;     // one past the section's last key line
        std::size_t keyLine = npos;     // the key's line
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    Found find(std::string_view section, std::string_view key) const;

    std::vector<std::string> m_lines;
    std::string m_newline = "\n";
    bool m_finalNewline = true;
    bool m_byteOrderMark = false; // kept on save
};

// The access routines every window uses.
namespace INIhandling {
std::string read(std::string_view section, std::string_view key, const std::filesystem::path& file);
// Creates the file when missing; the result is true when the file was written.
bool write(std::string_view section, std::string_view key, std::string_view value,
           const std::filesystem::path& file);
} // namespace INIhandling

} // namespace listrion::settings
