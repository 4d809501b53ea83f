#pragma once

#include "controls/Prompter.h"

namespace listrion::controls {

// The file dialogs of opening and saving a playlist. A name saved without an extension gets
// ".m3u": a playlist saved as ".txt" is one no player opens.
inline const Prompter::FileRequest kOpenPlaylistRequest{
    "Select File", "Playlists (*.m3u *.m3u8);;All files (*)", "m3u", {}};
inline const Prompter::FileRequest kSavePlaylistRequest{
    "Select File", "Playlists (*.m3u *.m3u8);;All files (*)", "m3u", {}};

} // namespace listrion::controls
