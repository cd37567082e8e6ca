#include "platform/terminal_session.hpp"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <initializer_list>
#include <stdexcept>

namespace yinshi {

namespace {

constexpr int kSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGABRT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Everything a signal handler needs to put the terminal back, and the note of
// a resize. A handler can reach nothing else; the renderer draws the new size
// later, outside it, when the session's owner asks TakeResize().
struct Saved {
    volatile std::sig_atomic_t active = 0;
    // Set by SIGWINCH; the pipe wakes a wait for a key, which a flag cannot.
    volatile std::sig_atomic_t resized = 0;
    int wakeRead = -1;
    int wakeWrite = -1;
    struct sigaction previousWinch {};
    bool winchHandled = false;
    volatile std::sig_atomic_t row = 1;
    volatile std::sig_atomic_t col = 1;
    int inputFd = -1;
    int outputFd = -1;
    termios mode{};
    struct sigaction previous[kSignalCount] {};
    bool handled[kSignalCount]{};
};
Saved saved;

void Put(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Async-signal-safe: only write, tcsetattr and plain stores.
void RestoreTerminal() {
    if (!saved.active) return;
    saved.active = 0;
    if (saved.outputFd >= 0) {
        // CAN first ends any escape sequence a signal may have cut short.
        static const char kReset[] = "\x18\x1b[0m\x1b[r\x1b[?7h\x1b[?25h";
        Put(saved.outputFd, kReset, sizeof kReset - 1);
        char move[24] = "\x1b[";
        std::size_t n = 2;
        int row = saved.row;
        if (row < 1 || row > 25) row = 25;
        if (row >= 10) move[n++] = static_cast<char>('0' + row / 10);
        move[n++] = static_cast<char>('0' + row % 10);
        move[n++] = ';';
        move[n++] = '1';
        move[n++] = 'H';
        if (saved.col > 1) {
            move[n++] = '\r';
            move[n++] = '\n';
        }
        // From the fresh line down, in the default colours: the cells the
        // shell prompt lands on were painted, and the status line goes too.
        move[n++] = '\x1b';
        move[n++] = '[';
        move[n++] = 'J';
        Put(saved.outputFd, move, n);
    }
    if (saved.inputFd >= 0) {
        // Keys typed ahead would otherwise be read by the shell as commands.
        tcflush(saved.inputFd, TCIFLUSH);
        tcsetattr(saved.inputFd, TCSADRAIN, &saved.mode);
    }
}

void PutBackHandlers() {
    for (int i = 0; i < kSignalCount; ++i) {
        if (saved.handled[i]) sigaction(kSignals[i], &saved.previous[i], nullptr);
        saved.handled[i] = false;
    }
    if (saved.winchHandled) sigaction(SIGWINCH, &saved.previousWinch, nullptr);
    saved.winchHandled = false;
}

// Async-signal-safe: a store and a write that never blocks (a full pipe
// already says enough).
extern "C" void OnResize(int) {
    const int savedErrno = errno;
    saved.resized = 1;
    if (saved.wakeWrite >= 0) {
        const char byte = 'w';
        [[maybe_unused]] const ssize_t n = ::write(saved.wakeWrite, &byte, 1);
    }
    errno = savedErrno;
}

void WatchResizes() {
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return;
    saved.wakeRead = fds[0];
    saved.wakeWrite = fds[1];
    saved.resized = 0;
    struct sigaction ours {};
    ours.sa_handler = OnResize;
    sigemptyset(&ours.sa_mask);
    // Reads and writes elsewhere go on; only a wait for a key must wake.
    ours.sa_flags = SA_RESTART;
    saved.winchHandled = sigaction(SIGWINCH, &ours, &saved.previousWinch) == 0;
}

void CloseWakePipe() {
    for (int* fd : {&saved.wakeRead, &saved.wakeWrite}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

extern "C" void OnSignal(int sig) {
    const int savedErrno = errno;
    RestoreTerminal();
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] == sig && saved.handled[i]) sigaction(sig, &saved.previous[i], nullptr);
    }
    // Blocked until this handler returns, then handled as before we came.
    raise(sig);
    errno = savedErrno;
}

extern "C" void OnExit() { RestoreTerminal(); }

bool IsTerminal(int fd) { return fd >= 0 && isatty(fd) == 1; }

}  // namespace

TerminalSession::TerminalSession(int inputFd, int outputFd) {
    if (saved.active) throw std::logic_error("a terminal session is already open");
    saved.inputFd = -1;
    saved.outputFd = IsTerminal(outputFd) ? outputFd : -1;
    saved.row = 1;
    saved.col = 1;
    if (IsTerminal(inputFd) && tcgetattr(inputFd, &saved.mode) == 0) saved.inputFd = inputFd;

    static bool atExitRegistered = false;
    if (!atExitRegistered) atExitRegistered = std::atexit(OnExit) == 0;

    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction current {};
        sigaction(kSignals[i], nullptr, &current);
        // A signal the caller chose to ignore stays ignored.
        if (current.sa_handler == SIG_IGN) continue;
        struct sigaction ours {};
        ours.sa_handler = OnSignal;
        sigemptyset(&ours.sa_mask);
        ours.sa_flags = 0;
        saved.handled[i] = sigaction(kSignals[i], &ours, &saved.previous[i]) == 0;
    }
    saved.active = 1;

    if (saved.inputFd >= 0) {
        termios raw = saved.mode;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ECHONL | IEXTEN));
        // Ctrl-Z would stop the program with the terminal still in this
        // mode and nothing to redraw the screen on return; it is just a key.
        raw.c_cc[VSUSP] = _POSIX_VDISABLE;
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(saved.inputFd, TCSADRAIN, &raw);
    }
    if (saved.outputFd >= 0) {
        WatchResizes();
        static const char kSetUp[] = "\x1b[0m\x1b[?7l\x1b[1;24r\x1b[H\x1b[2J";
        Put(saved.outputFd, kSetUp, sizeof kSetUp - 1);
    }
}

TerminalSession::~TerminalSession() { Restore(); }

// A member although the saved mode is file-local: only the session's owner restores it.
void TerminalSession::Restore() {  // NOLINT(readability-convert-member-functions-to-static)
    RestoreTerminal();
    PutBackHandlers();
    CloseWakePipe();
}

// Members for the same reason as Restore().
bool TerminalSession::TakeResize() {  // NOLINT(readability-convert-member-functions-to-static)
    if (!saved.resized) return false;
    // Cleared before the pipe is emptied and before the size is read: a
    // resize in between sets it again, so none is lost.
    saved.resized = 0;
    char drain[64];
    while (saved.wakeRead >= 0 && ::read(saved.wakeRead, drain, sizeof drain) > 0) {
    }
    return true;
}

// A member for the same reason.
int TerminalSession::ResizeFd() const {  // NOLINT(readability-convert-member-functions-to-static)
    return saved.wakeRead;
}

TerminalSize TerminalSizeOf(int fd) {
    winsize size{};
    if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) return {25, 80};
    return {size.ws_row, size.ws_col};
}

void TerminalSession::NoteCursor(int row, int col) {
    saved.row = row;
    saved.col = col;
}

}  // namespace yinshi
