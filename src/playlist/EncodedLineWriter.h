#pragma once

#include "playlist/AtomicFile.h"
#include "text/Codepage.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace listrion::playlist {

// Writes text lines into a new file through a single-byte code page with CR LF line ends. The
// file replaces its target only on commit(); until then the target keeps its old contents.
class EncodedLineWriter {
public:
    // Throws std::system_error when the temporary file beside target cannot be created.
    EncodedLineWriter(std::filesystem::path target, const text::Codepage& codepage);
    // Destroyed without commit(): the temporary file is removed and target is untouched.
    ~EncodedLineWriter() = default;
    EncodedLineWriter(const EncodedLineWriter&) = delete;
    EncodedLineWriter& operator=(const EncodedLineWriter&) = delete;

    // Text encoded through the code page ('?' for what it cannot hold), then CR LF.
    void line(std::string_view utf8);
    // The same without a line end.
    void text(std::string_view utf8);
    // Bytes as they are.
    void raw(std::string_view bytes);
    // Flushes and renames over target; throws std::system_error on failure.
    void commit();

private:
    void flushIfFull();

    AtomicFile m_file;
    const text::Codepage& m_codepage;
    std::string m_buffer;
};

} // namespace listrion::playlist
