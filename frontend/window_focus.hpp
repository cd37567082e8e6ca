#pragma once
// Handing the keyboard focus to a window of another program.
#include <QtGlobal>

namespace yinshi::frontend {

// Watches for the first window that the process `pid` puts on the screen (X11: its
// _NET_WM_PID) for up to `timeoutMs`, and gives it the keyboard focus: through the window
// manager when one runs (_NET_ACTIVE_WINDOW), directly otherwise. Returns at once; does
// nothing on platforms other than X11.
void FocusWindowOfProcess(qint64 pid, int timeoutMs = 5000);

}  // namespace yinshi::frontend
