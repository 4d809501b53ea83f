#pragma once

#include "playlist/Codepage.h"
#include "playlist/Progress.h"
#include "store/Tables.h"

#include <filesystem>
#include <optional>

namespace listrion::store {
class Database;
}

namespace listrion::playlist {

using text::CodepageChoice;

// How a playlist file's bytes become text, decided once per file before it is read, and kept
// with the playlist in data.mdb so that saving and every export write the text back the same
// way. The main reader and the merge reader of a second playlist both start here: a second
// playlist is read by its own bytes, and the store holds text, so the writer converts it.
struct FileEncoding {
    enum class Utf16 { None, LittleEndian, BigEndian };

    const Codepage* codepage = &Codepage::windows1250();
    bool bom = false;          // a UTF-8 byte-order mark: dropped on reading, written on saving
    Utf16 utf16 = Utf16::None; // the file must be converted to UTF-8 before it is read
};

// Looks at the file's bytes in one pass. Automatic: a UTF-16 file with its byte-order mark is
// UTF-16; bytes that are well-formed UTF-8 (a byte-order mark allowed) are UTF-8; any other file
// is read with the choice's single-byte page, whole. A fixed UTF-8 choice still recognises the
// byte-order marks; a fixed single-byte page reads every file as it is (no pass). Nothing when
// the observer cancelled; throws SourceError when the file cannot be read.
std::optional<FileEncoding> examineFile(const std::filesystem::path& file,
                                        const CodepageChoice& choice, ProgressObserver* observer);

// Writes the text of a UTF-16 file (its byte-order mark left out) into `target` as UTF-8; an
// unpaired surrogate becomes U+FFFD. The target is replaced only when the copy is complete.
// False when the observer cancelled; throws SourceError or std::system_error.
bool convertUtf16(const std::filesystem::path& source, FileEncoding::Utf16 order,
                  const std::filesystem::path& target, ProgressObserver* observer);

// The encoding as the store records it with the playlist: the code page saving writes, and the
// UTF-8 byte-order mark to write back (never for a file converted from UTF-16).
store::PlaylistCodepage recordedForm(const FileEncoding& encoding);
// Records the encoding with the playlist remembered in the store (one transaction).
void recordEncoding(store::Database& db, const FileEncoding& encoding);

// The encoding the store's playlist is written in: the one recorded with it, converted UTF-16
// files as UTF-8 without a byte-order mark; `unrecorded` without a byte-order mark when none is
// recorded (a new playlist, or one read before encodings were recorded).
FileEncoding recordedEncoding(const store::Database& db, const Codepage& unrecorded);

} // namespace listrion::playlist
