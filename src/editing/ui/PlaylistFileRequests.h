#pragma once

#include "controls/Prompter.h"

namespace listrion::editing::ui {

// The file dialogs of opening and saving a playlist.
inline const controls::Prompter::FileRequest kOpenPlaylistRequest{
    "Select File", "*.m3u (*.m3u)", "txt", {}};
inline const controls::Prompter::FileRequest kSavePlaylistRequest{
    "Select File", "Apps (*.m3u);;All files (*.*)", "txt", {}};

} // namespace listrion::editing::ui
