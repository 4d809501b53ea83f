#pragma once

#include <cstdint>
#include <string_view>

namespace listrion::playlist {

// The tables a reading run fills: the working tables Playlist and Grupa, the staging tables
// Playlist_Second and Grupa_Second of a second playlist that is to be merged, or the incoming
// tables an open reads into before it swaps them in (store::IncomingTables).
enum class LoadTables { Working, Second, Incoming };

inline const char* channelTable(LoadTables tables)
{
    switch (tables) {
    case LoadTables::Working:
        return "Playlist";
    case LoadTables::Second:
        return "Playlist_Second";
    case LoadTables::Incoming:
        return "Playlist_Load";
    }
    return "Playlist";
}
inline const char* groupTable(LoadTables tables)
{
    switch (tables) {
    case LoadTables::Working:
        return "Grupa";
    case LoadTables::Second:
        return "Grupa_Second";
    case LoadTables::Incoming:
        return "Grupa_Load";
    }
    return "Grupa";
}

// One Playlist row as the reader stores it (izberi keeps its default, false). The texts are
// UTF-8 and valid only while the row is being handed over.
struct ChannelRow {
    std::string_view grupa;
    std::string_view name;
    std::string_view tvgname;
    std::string_view tvgid;
    std::string_view link;
    std::string_view logo;
    std::int64_t broj = 0;
    std::string_view type; // "Live" or "VOD" ("Radio" from the merge reader)
    std::int16_t parentCode = 0;
    std::string_view extras; // the extras column; empty for none (stored as NULL)
};

// One Grupa row as the reader stores it (izberi false, count left empty).
struct GroupRow {
    std::string_view grupa;
    std::string_view type;
    std::int64_t broj = 0;
};

} // namespace listrion::playlist
