#include "playlist/PlaylistEncoding.h"

#include "playlist/AtomicFile.h"
#include "playlist/SourceError.h"
#include "store/Tables.h"
#include "text/Utf8Decoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace listrion::playlist {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A regular file read in blocks; errors are SourceErrors as the line reader gives them.
class BlockFile {
public:
    explicit BlockFile(const std::filesystem::path& file) : m_path(file)
    {
        m_fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            const int error = errno;
            throw SourceError(file.string() + ": " + std::strerror(error),
                              error == ENOENT || error == ENOTDIR);
        }
        struct stat info {};
        if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(m_fd);
            throw SourceError(file.string() + ": is not a regular file", false);
        }
        m_buffer.resize(kBlockSize);
    }
    ~BlockFile() { ::close(m_fd); }
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    // The next block; empty at the end of the file.
    std::string_view next()
    {
        ssize_t got = 0;
        do {
            got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            throw SourceError(m_path.string() + ": " + std::strerror(errno), false);
        }
        return {m_buffer.data(), static_cast<std::size_t>(got)};
    }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    std::vector<char> m_buffer;
};

bool cancelled(ProgressObserver* observer)
{
    return observer != nullptr && observer->cancelRequested();
}

FileEncoding::Utf16 utf16Mark(std::string_view start)
{
    if (start.starts_with("\xFF\xFE")) {
        return FileEncoding::Utf16::LittleEndian;
    }
    if (start.starts_with("\xFE\xFF")) {
        return FileEncoding::Utf16::BigEndian;
    }
    return FileEncoding::Utf16::None;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 code units to UTF-8, given in pieces of any size.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    void feed(std::string_view bytes, std::string& out)
    {
        for (char byte : bytes) {
            m_unit[m_have++] = static_cast<unsigned char>(byte);
            if (m_have == 2) {
                m_have = 0;
                unit(m_bigEndian ? char16_t((m_unit[0] << 8) | m_unit[1])
                                 : char16_t((m_unit[1] << 8) | m_unit[0]),
                     out);
            }
        }
    }
    // A lone high surrogate or an odd byte at the end of the file.
    void finish(std::string& out)
    {
        if (m_high != 0 || m_have != 0) {
            appendUtf8(out, 0xFFFD);
        }
        m_high = 0;
        m_have = 0;
    }

private:
    void unit(char16_t u, std::string& out)
    {
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (m_high != 0 && low) {
            appendUtf8(out, 0x10000 + ((char32_t(m_high) - 0xD800) << 10) + (u - 0xDC00));
            m_high = 0;
            return;
        }
        if (m_high != 0) {
            appendUtf8(out, 0xFFFD);
            m_high = 0;
        }
        if (high) {
            m_high = u;
        } else {
            appendUtf8(out, low ? 0xFFFD : u);
        }
    }

    bool m_bigEndian;
    unsigned char m_unit[2] = {};
    int m_have = 0;
    char16_t m_high = 0;
};

} // namespace

std::optional<FileEncoding> examineFile(const std::filesystem::path& file,
                                        const CodepageChoice& choice, ProgressObserver* observer)
{
    FileEncoding encoding;
    encoding.codepage = choice.page;
    if (!choice.automatic && !choice.page->isUtf8()) {
        return encoding;
    }
    BlockFile blocks(file);
    std::string_view block = blocks.next();
    encoding.utf16 = utf16Mark(block);
    if (encoding.utf16 != FileEncoding::Utf16::None) {
        encoding.codepage = &Codepage::utf8();
        return encoding;
    }
    encoding.bom = block.starts_with(kUtf8Bom);
    if (!choice.automatic) {
        return encoding;
    }
    text::Utf8Validator validator;
    while (!block.empty() && validator.feed(block)) {
        if (cancelled(observer)) {
            return std::nullopt;
        }
        block = blocks.next();
    }
    if (validator.finish() && block.empty()) {
        encoding.codepage = &Codepage::utf8();
    } else {
        encoding.bom = false;
    }
    return encoding;
}

bool convertUtf16(const std::filesystem::path& source, FileEncoding::Utf16 order,
                  const std::filesystem::path& target, ProgressObserver* observer)
{
    BlockFile blocks(source);
    AtomicFile copy(target);
    Utf16Decoder decoder(order == FileEncoding::Utf16::BigEndian);
    std::string out;
    bool first = true;
    for (std::string_view block = blocks.next(); !block.empty(); block = blocks.next()) {
        if (cancelled(observer)) {
            return false;
        }
        if (first) {
            block.remove_prefix(2); // the byte-order mark
            first = false;
        }
        out.clear();
        decoder.feed(block, out);
        copy.write(out);
    }
    out.clear();
    decoder.finish(out);
    copy.write(out);
    copy.commit();
    return true;
}

store::PlaylistCodepage recordedForm(const FileEncoding& encoding)
{
    const bool utf16 = encoding.utf16 != FileEncoding::Utf16::None;
    return store::PlaylistCodepage{std::string(encoding.codepage->name()), encoding.bom && !utf16};
}

void recordEncoding(store::Database& db, const FileEncoding& encoding)
{
    store::setPlaylistCodepage(db, recordedForm(encoding));
}

FileEncoding recordedEncoding(const store::Database& db, const Codepage& unrecorded)
{
    FileEncoding encoding;
    encoding.codepage = &unrecorded;
    if (const auto recorded = store::playlistCodepage(db)) {
        if (const Codepage* page = Codepage::find(recorded->name)) {
            encoding.codepage = page;
            encoding.bom = recorded->bom && page->isUtf8();
        }
    }
    return encoding;
}

} // namespace listrion::playlist
