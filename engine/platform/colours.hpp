#pragma once
#include "platform/screen.hpp"

namespace yinshi {

// The colours of each kind of text the engine shows, by its role.

// Ordinary text; every other kind returns to it when it is done.
inline constexpr ColourPair kPlainColours{7, 0};
// The status row while the search runs.
inline constexpr ColourPair kStatusColours{2, 0};
// The messages that ask the user to wait.
inline constexpr ColourPair kWaitColours{10, 7};
// What the run found: a repeated factor, a further solution, the transcript shown again.
inline constexpr ColourPair kResultColours{4, 7};
// The end prompt.
inline constexpr ColourPair kEndColours{7, 4};
// The hint to close the window the engine opened for itself.
inline constexpr ColourPair kCloseHintColours{7, 5};

}  // namespace yinshi
