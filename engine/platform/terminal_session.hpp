#pragma once

namespace yinshi {

struct TerminalSize {
    int rows;
    int cols;
};

// The size of the terminal at `fd`; 25 x 80 when it cannot be told.
TerminalSize TerminalSizeOf(int fd);

// Puts the terminal into the engine's mode for as long as the object lives:
// keys one at a time without echo (Ctrl-C still interrupts, Ctrl-Z is only a
// key), the scrolling region rows 1-24, no auto-wrap. The mode, the region,
// the colours and the cursor are restored on every way out: the destructor
// (normal end or a thrown exception), std::exit, and SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and
// SIGABRT (an uncaught exception ends in abort), after which the signal is
// delivered again with its previous handling so the exit status stays true.
// The final screen stays visible; below the cursor, which goes to the start of
// a fresh line, everything (the status line included) is erased in the default
// colours, so whatever follows on the terminal starts clean. Keys typed
// ahead and not read are discarded then, so that they do not reach the shell.
// A change of the terminal's size (SIGWINCH) is only noted: the owner asks
// TakeResize() when it is about to draw. Signal handlers cannot be handed an
// object, so the saved mode and that note live in one file-local record: one
// session at a time.
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
    // True once after the terminal changed size (the note is then cleared).
    // Cheap enough to ask at every poll.
    bool TakeResize();
    // Becomes readable when the terminal changed size, so that a wait for a
    // key can wake up and draw; -1 when there is no terminal to draw on.
    // TakeResize() empties it.
    int ResizeFd() const;

    // The terminal cursor, so that a restore from a signal handler can leave the
    // terminal's cursor below the last text.
    static void NoteCursor(int row, int col);
};

}  // namespace yinshi
