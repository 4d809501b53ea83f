#pragma once

// The code pages live in the text library, which the language files share; playlist code keeps
// using them under this name.
#include "text/Codepage.h"

namespace listrion::playlist {
using text::Codepage;
} // namespace listrion::playlist
