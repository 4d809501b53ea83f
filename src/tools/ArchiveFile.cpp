#include "tools/ArchiveFile.h"

#include "playlist/AtomicFile.h"
#include "store/LogoSchema.h"
#include "store/Transaction.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace listrion::tools {
namespace fs = std::filesystem;

ArchiveState checkArchive(const fs::path& file)
{
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        return ArchiveState::Missing;
    }
    try {
        store::Database db(file, store::Database::Mode::ReadOnly);
        store::Statement check = db.prepare("PRAGMA quick_check");
        return check.step() && check.columnText(0) == "ok" ? ArchiveState::Usable
                                                           : ArchiveState::Damaged;
    } catch (const std::exception&) {
        return ArchiveState::Damaged;
    }
}

void restoreArchive(const fs::path& file, const fs::path& shipped)
{
    std::ifstream in(shipped, std::ios::binary);
    if (shipped.empty() || !in) {
        throw std::runtime_error("the logo.mdb delivered with the program was not found");
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    playlist::AtomicFile copy(file);
    copy.write(bytes);
    // What a damaged file's write-ahead log holds belongs to it, not to the new copy; it goes
    // only once that copy is written in full.
    std::error_code ec;
    for (const char* suffix : {"-wal", "-shm"}) {
        fs::remove(fs::path(file.string() + suffix), ec);
    }
    copy.commit();
}

std::int64_t refillArchiveTable(store::Database& db, store::Database& archive, const char* clear,
                                const char* select, const char* insert)
{
    store::ReadTransaction view(db);
    store::Transaction tx(archive);
    archive.exec(clear);
    store::Statement rows = db.prepare(select);
    store::Statement append = archive.prepare(insert);
    std::int64_t written = 0;
    while (rows.step()) {
        for (int column = 0; column < rows.columnCount(); ++column) {
            append.bind(column + 1, rows.columnValue(column));
        }
        append.run();
        append.reset();
        ++written;
    }
    tx.commit();
    return written;
}

store::Database openArchive(const fs::path& file)
{
    return store::LogoSchema::open(file);
}

} // namespace listrion::tools
