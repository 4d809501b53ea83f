#pragma once

#include "playlist/LoadResult.h"
#include "playlist/PlaylistOpening.h"
#include "store/Database.h"
#include "support/TempFolder.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace listrion::test {

// One Playlist row as a test compares it.
struct StoredChannel {
    std::string grupa, name, tvgname, tvgid, link, logo;
    std::int64_t broj = 0;
    std::string type;
    std::int64_t parentCode = 0;
    bool operator==(const StoredChannel&) const = default;
};

struct StoredGroup {
    std::string grupa, type;
    std::int64_t broj = 0;
    std::optional<std::int64_t> count; // nothing when NULL
};

std::vector<StoredChannel> storedChannels(const store::Database& db);
std::vector<StoredGroup> storedGroups(const store::Database& db);

// What every load must leave, whatever stopped it: each channel's group has exactly one Grupa
// row, every table and index exists, the undo snapshot equals the working tables row for row,
// and all stored text is well-formed UTF-8.
void expectConsistentStore(const store::Database& db);

// The first address in a line that does not directly follow `tvg-logo="`, to the end of the
// line (cut before a later #EXTINF:), without surrounding blanks; empty when there is none.
std::string firstAddress(const std::string& line);

// One entry of a playlist file, found without the program's reader: an #EXTINF: line that
// holds an address is complete; otherwise blank and comment lines are passed over and the next
// other line is its address line (a later #EXTINF: line replaces the entry).
struct FileEntry {
    std::string extinf;
    std::vector<std::string> comments; // the comment lines passed over, without leading blanks
    std::string addressLine;           // without surrounding blanks; empty when extinf had one
    std::string link;                  // firstAddress of the line that gave the address
};
std::vector<FileEntry> fileEntries(const std::string& bytes);

// `count` entries "Ch 1", "Ch 2", ... in groups G0 to G2 with links http://s/1, ..., after an
// #EXTM3U line when `header`.
std::string entries(int count, bool header);

// The .m3u files of the corpus, sorted by name.
std::vector<std::filesystem::path> corpusPlaylists();

// An observer made of a function for the progress reports and one for the polls for Cancel.
class FunctionObserver final : public playlist::ProgressObserver {
public:
    FunctionObserver(std::function<void(const playlist::Progress&)> onProgress,
                     std::function<bool()> onPoll)
        : m_progress(std::move(onProgress)), m_poll(std::move(onPoll))
    {
    }
    void progress(const playlist::Progress& p) override { m_progress(p); }
    bool cancelRequested() override { return m_poll(); }

private:
    std::function<void(const playlist::Progress&)> m_progress;
    std::function<bool()> m_poll;
};

// A program folder with a playlist store; opens playlists written into it.
class ReaderFolder {
public:
    ReaderFolder();
    playlist::OpenOptions& options() { return m_options; }
    const TempFolder& folder() const { return m_folder; }
    store::Database database() const;

    // Writes `bytes` as list.m3u and opens it with Open_Playlist.
    playlist::LoadResult open(const std::string& bytes,
                              playlist::ProgressObserver* observer = nullptr);

private:
    TempFolder m_folder;
    playlist::OpenOptions m_options;
};

} // namespace listrion::test
