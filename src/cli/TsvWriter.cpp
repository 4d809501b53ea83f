#include "cli/TsvWriter.h"

#include <charconv>

namespace listrion::cli {

TsvWriter::~TsvWriter()
{
    flush();
}

void TsvWriter::separate()
{
    if (m_lineStarted) {
        m_buffer.push_back('\t');
    }
    m_lineStarted = true;
}

TsvWriter& TsvWriter::text(std::string_view value)
{
    separate();
    for (char c : value) {
        switch (c) {
        case '\\':
            m_buffer.append("\\\\");
            break;
        case '\t':
            m_buffer.append("\\t");
            break;
        case '\n':
            m_buffer.append("\\n");
            break;
        case '\r':
            m_buffer.append("\\r");
            break;
        default:
            m_buffer.push_back(c);
        }
    }
    return *this;
}

TsvWriter& TsvWriter::integer(std::int64_t value)
{
    separate();
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_buffer.append(digits, result.ptr);
    return *this;
}

TsvWriter& TsvWriter::null()
{
    separate();
    m_buffer.append("\\N");
    return *this;
}

TsvWriter& TsvWriter::value(const store::Value& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        return integer(*i);
    }
    if (const auto* d = std::get_if<double>(&value)) {
        separate();
        m_buffer.append(std::to_string(*d));
        return *this;
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        return text(*s);
    }
    return null();
}

void TsvWriter::endLine()
{
    m_buffer.push_back('\n');
    m_lineStarted = false;
    if (m_buffer.size() > (1u << 16)) {
        flush();
    }
}

void TsvWriter::flush()
{
    if (!m_buffer.empty()) {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }
    m_out.flush();
}

} // namespace listrion::cli
