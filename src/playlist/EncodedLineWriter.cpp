#include "playlist/EncodedLineWriter.h"

namespace listrion::playlist {
namespace {

// Lines collect in memory and go to the file in blocks of this size, so a large save costs a
// few hundred writes and its memory stays the same whatever the playlist's length.
constexpr std::size_t kBlock = std::size_t{1} << 20;

} // namespace

EncodedLineWriter::EncodedLineWriter(std::filesystem::path target, const text::Codepage& codepage)
    : m_file(std::move(target)), m_codepage(codepage)
{
    m_buffer.reserve(kBlock + kBlock / 4);
}

void EncodedLineWriter::line(std::string_view utf8)
{
    m_codepage.appendEncoded(m_buffer, utf8);
    m_buffer.append("\r\n");
    flushIfFull();
}

void EncodedLineWriter::text(std::string_view utf8)
{
    m_codepage.appendEncoded(m_buffer, utf8);
    flushIfFull();
}

void EncodedLineWriter::raw(std::string_view bytes)
{
    m_buffer.append(bytes);
    flushIfFull();
}

void EncodedLineWriter::commit()
{
    m_file.write(m_buffer);
    m_buffer.clear();
    m_file.commit();
}

void EncodedLineWriter::flushIfFull()
{
    if (m_buffer.size() >= kBlock) {
        // A failed write is remembered by the file and reported by commit().
        m_file.write(m_buffer);
        m_buffer.clear();
    }
}

} // namespace listrion::playlist
