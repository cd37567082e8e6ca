#pragma once

namespace yinshi {

// Puts the terminal into the engine's mode for as long as the object lives:
// keys one at a time without echo (Ctrl-C still interrupts, Ctrl-Z is only a
// key), the scrolling region rows 1-24, no auto-wrap. The mode, the region,
// the colours and the cursor are restored on every way out: the destructor
// (normal end or a thrown exception), std::exit, and SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and
// SIGABRT (an uncaught exception ends in abort), after which the signal is
// delivered again with its previous handling so the exit status stays true.
// The final screen stays visible; below the cursor, which goes to the start of
// a fresh line, everything (the status line included) is erased in the default
// colours, so whatever follows on the terminal starts clean. Signal handlers cannot be handed an object,
// so the saved mode lives in one file-local record: one session at a time.
class TerminalSession {
public:
    // inputFd: the terminal keys are read from, or -1; outputFd: the terminal
    // drawn on with escapes, or -1. A descriptor that is not a terminal is
    // left alone.
    TerminalSession(int inputFd, int outputFd);
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // Restores now; later calls (and the destructor) do nothing.
    void Restore();
    // The screen cursor, so that a restore from a signal handler can leave the
    // terminal's cursor below the last text.
    static void NoteCursor(int row, int col);
};

}  // namespace yinshi
