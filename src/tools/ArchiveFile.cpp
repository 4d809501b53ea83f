#include "tools/ArchiveFile.h"

#include "playlist/AtomicFile.h"
#include "store/LogoSchema.h"

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
    // What a damaged file's write-ahead log holds belongs to it, not to the new copy.
    std::error_code ec;
    for (const char* suffix : {"-wal", "-shm"}) {
        fs::remove(fs::path(file.string() + suffix), ec);
    }
    playlist::AtomicFile copy(file);
    copy.write(bytes);
    copy.commit();
}

store::Database openArchive(const fs::path& file)
{
    return store::LogoSchema::open(file);
}

} // namespace listrion::tools
