#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace listrion::playlist {

// Reads a playlist file line by line in large blocks. Lines end at CR LF, LF or CR; the line
// end is not part of the line, and a last line without one counts too. Only regular files are
// read (the reader goes over a file twice); anything else (a folder, a FIFO, a device) throws
// SourceError at once, without waiting for a writer on the other end.
class LineReader {
public:
    // What identifies a file's contents for as long as nobody writes to it.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    explicit LineReader(const std::filesystem::path& file);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, valid until the next call; false at the end of the file.
    bool next(std::string_view& line);
    std::int64_t fileSize() const { return m_size; }
    // The file as it was when it was opened.
    const Stamp& stamp() const { return m_stamp; }
    // True while the open file is as it was when opened and every byte read so far came from
    // it (at the end: all of it); false once it was written, truncated or grew meanwhile.
    bool unchanged() const;

private:
    std::size_t nextLf();
    void consumeLineEnd(std::size_t end);
    void fill();

    std::filesystem::path m_path;
    int m_fd = -1;
    std::int64_t m_size = 0;
    Stamp m_stamp;
    std::int64_t m_bytesRead = 0;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    // Index of the next LF at or after m_begin when known; the buffer holds no LF between
    // m_begin and m_lfScanned otherwise.
    std::size_t m_lf = kNone;
    std::size_t m_lfScanned = 0;
    bool m_eof = false;
    bool m_skipLf = false; // the last line ended with a CR at the end of the buffer

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
};

} // namespace listrion::playlist
