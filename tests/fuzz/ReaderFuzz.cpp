// libFuzzer target of the reader: the bytes of a playlist file in, the Playlist and Grupa rows
// the reader stores out, checked with the store's own whole-store check (a group row for every
// channel, one row per group name, one channel per position, the engine's integrity). An input
// of even length is read in full mode under a region that decodes names, one of odd length in
// design mode under one that does not.
#include "playlist/BatchWriter.h"
#include "playlist/GroupIndex.h"
#include "playlist/LineReader.h"
#include "playlist/PlaylistReader.h"
#include "playlist/SourceError.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/StoreCheck.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace listrion;

// The file the reader reads: a file in memory, rewritten for each input.
class MemoryFile {
public:
    MemoryFile() : m_fd(::memfd_create("playlist.m3u", MFD_CLOEXEC))
    {
        if (m_fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
    }
    std::string path() const { return "/proc/self/fd/" + std::to_string(m_fd); }
    void write(const std::uint8_t* data, std::size_t size) const
    {
        if (::ftruncate(m_fd, 0) != 0 ||
            ::pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size)) {
            std::perror("memfd write");
            std::abort();
        }
    }

private:
    int m_fd;
};

void read(store::Database& db, const std::string& file, const playlist::ReaderOptions& options)
{
    db.exec("DELETE FROM Playlist; DELETE FROM Grupa;");
    playlist::GroupIndex groups;
    playlist::BatchWriter writer(db);
    playlist::PlaylistReader reader(options, true, groups, writer, nullptr);
    playlist::LineReader lines(file);
    std::string_view line;
    while (lines.next(line) &&
           reader.handleLine(line) == playlist::PlaylistReader::Step::Continue) {
    }
    writer.finish();
    const std::vector<std::string> problems = store::checkStore(db);
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "store check: %s\n", problem.c_str());
        }
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    static store::Database db = [] {
        store::Database memory(":memory:");
        store::Schema::ensure(memory);
        return memory;
    }();
    file.write(data, size);
    playlist::ReaderOptions options;
    if (size % 2 == 0) {
        options.region = "Balkan";
    } else {
        options.region = "Western European";
        options.mode = playlist::PlaylistMode::Design;
    }
    read(db, file.path(), options);
    return 0;
}
