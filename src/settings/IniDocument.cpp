#include "settings/IniDocument.h"

#include "text/AsciiCase.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace listrion::settings {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The name of a "[name]" line, or nothing for any other line.
bool sectionName(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return false;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = trim(line.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line, or nothing for comments and other lines.
bool keyName(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#') {
        return false;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return true;
}

} // namespace

IniDocument IniDocument::load(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return IniDocument();
    }
    return parse(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

IniDocument IniDocument::parse(std::string content)
{
    IniDocument doc;
    if (content.starts_with(kByteOrderMark)) {
        content.erase(0, kByteOrderMark.size());
        doc.m_byteOrderMark = true;
    }
    if (content.find("\r\n") != std::string::npos) {
        doc.m_newline = "\r\n";
    }
    doc.m_finalNewline = content.empty() || content.back() == '\n';
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        doc.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return doc;
}

IniDocument::Found IniDocument::find(std::string_view section, std::string_view key) const
{
    Found found;
    const std::string_view wantedSection = trim(section);
    const std::string_view wantedKey = trim(key);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionName(m_lines[i], name)) {
            if (found.sectionLine != npos) {
                break; // the first matching section ends here
            }
            if (text::equalsIgnoringAsciiCase(name, wantedSection)) {
                found.sectionLine = i;
                found.endLine = i + 1;
            }
            continue;
        }
        if (found.sectionLine == npos) {
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (keyName(m_lines[i], k, v)) {
            found.endLine = i + 1;
            if (found.keyLine == npos && text::equalsIgnoringAsciiCase(k, wantedKey)) {
                found.keyLine = i;
            }
        }
    }
    return found;
}

std::string IniDocument::value(std::string_view section, std::string_view key) const
{
    const Found found = find(section, key);
    if (found.keyLine == npos) {
        return {};
    }
    std::string_view k;
    std::string_view v;
    keyName(m_lines[found.keyLine], k, v);
    return std::string(unquote(v).substr(0, kMaxValueLength));
}

std::string_view IniDocument::unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool IniDocument::hasValue(std::string_view section, std::string_view key) const
{
    return find(section, key).keyLine != npos;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const Found found = find(section, key);
    std::string line = std::string(trim(key)) + "=" + std::string(value);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    if (found.keyLine != npos) {
        m_lines[found.keyLine] = std::move(line);
    } else if (found.sectionLine != npos) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(found.endLine),
                       std::move(line));
    } else {
        m_finalNewline = true; // the old last line needs its line end now
        m_lines.push_back("[" + std::string(trim(section)) + "]");
        m_lines.push_back(std::move(line));
    }
}

std::vector<IniDocument::Entry> IniDocument::entries() const
{
    std::vector<Entry> out;
    std::string_view section;
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionName(m_lines[i], name)) {
            section = name;
            inSection = true;
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (inSection && keyName(m_lines[i], k, v)) {
            out.push_back({std::string(section), std::string(k), std::string(v), i + 1});
        }
    }
    return out;
}

std::string IniDocument::text() const
{
    std::string out = m_byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_finalNewline) {
            out += m_newline;
        }
    }
    return out;
}

bool IniDocument::save(const std::filesystem::path& file) const
{
    QSaveFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string content = text();
    if (out.write(content.data(), static_cast<qint64>(content.size())) !=
        static_cast<qint64>(content.size())) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

namespace INIhandling {

std::string read(std::string_view section, std::string_view key, const std::filesystem::path& file)
{
    return IniDocument::load(file).value(section, key);
}

bool write(std::string_view section, std::string_view key, std::string_view value,
           const std::filesystem::path& file)
{
    IniDocument doc = IniDocument::load(file);
    doc.setValue(section, key, value);
    return doc.save(file);
}

} // namespace INIhandling
} // namespace listrion::settings
