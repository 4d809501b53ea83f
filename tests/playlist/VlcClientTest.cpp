// A real player reads the saved playlists: libVLC parses each one as a local file (its
// playlist reader only; no address is opened) and must find the channels of the store.
#include "playlist/PlaylistWriter.h"
#include "playlist/StoreProbe.h"

#include <vlc/vlc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace listrion::test {
namespace {

// Addresses as a URI carries them: libVLC percent-encodes what a URI may not hold (spaces,
// bytes above 127, '|', a '%' without two hexadecimal digits), so both sides are compared
// decoded.
std::string percentDecoded(std::string_view text)
{
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

class Vlc {
public:
    Vlc()
    {
        const char* const args[] = {"--ignore-config", "--no-lua", "--quiet"};
        m_instance = libvlc_new(3, args);
    }
    ~Vlc()
    {
        if (m_instance != nullptr) {
            libvlc_release(m_instance);
        }
    }
    Vlc(const Vlc&) = delete;
    Vlc& operator=(const Vlc&) = delete;

    bool ready() const { return m_instance != nullptr; }

    // The addresses of the entries libVLC finds in a local playlist file, in its order.
    std::vector<std::string> entries(const std::filesystem::path& file)
    {
        libvlc_media_t* media = libvlc_media_new_path(m_instance, file.c_str());
        std::vector<std::string> mrls;
        if (libvlc_media_parse_with_options(media, libvlc_media_parse_local, 30000) != 0) {
            ADD_FAILURE() << "libVLC did not start parsing " << file;
            libvlc_media_release(media);
            return mrls;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (libvlc_media_get_parsed_status(media) == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(libvlc_media_get_parsed_status(media), libvlc_media_parsed_status_done) << file;
        libvlc_media_list_t* list = libvlc_media_subitems(media);
        libvlc_media_list_lock(list);
        for (int i = 0; i < libvlc_media_list_count(list); ++i) {
            libvlc_media_t* item = libvlc_media_list_item_at_index(list, i);
            char* mrl = libvlc_media_get_mrl(item);
            mrls.emplace_back(mrl != nullptr ? mrl : "");
            libvlc_free(mrl);
            libvlc_media_release(item);
        }
        libvlc_media_list_unlock(list);
        libvlc_media_list_release(list);
        libvlc_media_release(media);
        return mrls;
    }

private:
    libvlc_instance_t* m_instance = nullptr;
};

// The store's addresses in the order the writer lists them, as the file holds their bytes.
// A channel without an address is written as an empty line, which a player passes over.
std::vector<std::string> storedAddresses(const store::Database& db, const playlist::Codepage& cp)
{
    std::vector<std::string> links;
    store::Statement st = db.prepare(
        "SELECT p.link FROM Grupa g JOIN Playlist p ON p.grupa = g.grupa WHERE g.broj > 0 "
        "ORDER BY g.broj, g.rowid, p.broj, p.rowid");
    while (st.step()) {
        if (!st.columnView(0).empty()) {
            links.push_back(cp.encode(st.columnView(0)));
        }
    }
    return links;
}

TEST(VlcClient, SeesTheStoredChannelsInEverySavedCorpusPlaylist)
{
    Vlc vlc;
    ASSERT_TRUE(vlc.ready()) << "libVLC cannot start (vlc-plugin-base missing?)";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(LISTRION_CORPUS_DIR)) {
        if (entry.path().extension() == ".m3u") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 9u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        ReaderFolder home;
        ASSERT_TRUE(playlist::Open_Playlist(file, home.options(), nullptr).stored());
        playlist::SaveOptions options;
        options.dataMdb = home.options().dataMdb;
        const auto saved = home.folder().file("saved.m3u");
        ASSERT_TRUE(playlist::Save_Playlist(saved, options, nullptr).saved());

        const std::vector<std::string> expected =
            storedAddresses(home.database(), *options.codepage);
        const std::vector<std::string> seen = vlc.entries(saved);
        ASSERT_EQ(seen.size(), expected.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            ASSERT_EQ(percentDecoded(seen[i]), percentDecoded(expected[i]))
                << "entry " << i << ": libVLC " << seen[i];
        }
    }
}

} // namespace
} // namespace listrion::test
