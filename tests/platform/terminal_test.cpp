#include <gtest/gtest.h>

#include "pipe.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <stdexcept>

#include "platform/ansi_palette.hpp"
#include "platform/console.hpp"
#include "platform/fd_io.hpp"
#include "platform/terminal_renderer.hpp"
#include "platform/terminal_session.hpp"
#include "platform/termios_keyboard.hpp"

namespace yinshi {
namespace {

// Everything waiting on `fd` now.
std::string Drain(int fd) {
    std::string all;
    char chunk[4096];
    while (Readable(fd, 50)) {
        const std::size_t n = ReadSome(fd, chunk, sizeof chunk);
        if (n == 0) break;
        all.append(chunk, n);
    }
    return all;
}

using testing::Pipe;

// A pseudo-terminal: the test is the terminal at `master`, the code under
// test sees a real terminal at `slave`.
struct Pty {
    int master = -1;
    int slave = -1;
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
        slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~Pty() {
        if (slave >= 0) ::close(slave);
        if (master >= 0) ::close(master);
    }
    tcflag_t LocalFlags() const {
        termios mode{};
        tcgetattr(slave, &mode);
        return mode.c_lflag;
    }
    void Type(const std::string& bytes) const { WriteAll(master, bytes); }
};

TEST(AnsiPalette, BlueAndRedSwapAndBrightColoursUseTheHighRange) {
    const int fg[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};
    for (int p = 0; p < 16; ++p) {
        EXPECT_EQ(AnsiForeground(p), fg[p]) << p;
        EXPECT_EQ(AnsiBackground(p), fg[p] + 10) << p;
    }
}

TEST(TerminalRenderer, SendsOnlyWhatChanged) {
    Pipe out;
    Screen screen;
    TerminalRenderer renderer(screen, out.write);
    screen.SetListener(&renderer);
    screen.Color(1, 0);
    screen.Print("A");
    EXPECT_EQ(Drain(out.read), "");  // held until the keys are read
    renderer.Flush();
    const std::string first = Drain(out.read);
    EXPECT_NE(first.find("\x1b[0;34;40mA"), std::string::npos);  // palette blue is ANSI blue
    EXPECT_NE(first.find("\x1b[25;1H"), std::string::npos);      // the first draw covers every row

    renderer.Flush();
    EXPECT_EQ(Drain(out.read), "");  // nothing changed, nothing sent

    screen.Print("B");
    renderer.Flush();
    EXPECT_EQ(Drain(out.read), "\x1b[1;2H\x1b[0;34;40mB\x1b[1;3H");
    screen.SetListener(nullptr);
}

TEST(TerminalRenderer, RedrawsWholeDoubleWidthCharacters) {
    Pipe out;
    Screen screen;
    TerminalRenderer renderer(screen, out.write);
    screen.SetListener(&renderer);
    screen.Print("中文");
    renderer.Flush();
    EXPECT_NE(Drain(out.read).find("中文"), std::string::npos);
    screen.Locate(1, 2);
    screen.Print("x");  // over the tail of 中: the head's column is redrawn too
    renderer.Flush();
    EXPECT_EQ(Drain(out.read), "\x1b[1;1H x\x1b[1;3H");
    screen.SetListener(nullptr);
}

TEST(TerminalRenderer, ScrollsWithTheTerminalAndRingsTheBell) {
    Pipe out;
    Screen screen;
    TerminalRenderer renderer(screen, out.write);
    screen.SetListener(&renderer);
    screen.Locate(24, 1);
    screen.Print("last");
    renderer.Flush();
    Drain(out.read);
    screen.NewLine();
    renderer.Flush();
    const std::string scrolled = Drain(out.read);
    EXPECT_EQ(scrolled.find("\x1b[24;1H\n"), 0u);
    EXPECT_EQ(scrolled.find("\x1b[23;"), std::string::npos);  // row 23 came from the terminal's own scroll
    screen.Bell();
    EXPECT_EQ(Drain(out.read), "\a");
    screen.SetListener(nullptr);
}

TEST(TerminalRenderer, OnASmallTerminalShowsWhatFits) {
    Pipe out;
    Screen screen;
    TerminalRenderer renderer(screen, out.write, {10, 39});
    screen.SetListener(&renderer);
    renderer.Flush();
    const std::string first = Drain(out.read);
    EXPECT_NE(first.find("\x1b[1;9r"), std::string::npos);  // the rows above the last one scroll
    EXPECT_NE(first.find(TerminalRenderer::kSmallNoticeEn), std::string::npos);
    screen.Locate(3, 1);
    screen.Print(std::string(38, 'a') + "中b");  // the wide character straddles the edge
    screen.Locate(25, 1);
    screen.Print("status");
    renderer.Flush();
    const std::string drawn = Drain(out.read);
    EXPECT_NE(drawn.find(std::string(38, 'a') + " "), std::string::npos);
    EXPECT_EQ(drawn.find("中"), std::string::npos);
    EXPECT_NE(drawn.find("\x1b[10;1Hstatus"), std::string::npos);

    renderer.Resize({25, 80});  // larger again: everything is drawn once more, in place
    renderer.Flush();
    const std::string again = Drain(out.read);
    EXPECT_NE(again.find("\x1b[1;24r"), std::string::npos);
    EXPECT_NE(again.find(std::string(38, 'a') + "中"), std::string::npos);
    EXPECT_NE(again.find("\x1b[25;1Hstatus"), std::string::npos);
    EXPECT_EQ(again.find(TerminalRenderer::kSmallNoticeEn), std::string::npos);  // said once
    screen.SetListener(nullptr);
}

TEST(TerminalSession, KeysWithoutEchoWhileOpenAndTheModeComesBackAfterAnException) {
    Pty pty;
    ASSERT_GE(pty.slave, 0);
    const tcflag_t before = pty.LocalFlags();
    ASSERT_TRUE(before & ECHO);
    try {
        TerminalSession session(pty.slave, pty.slave);
        const tcflag_t during = pty.LocalFlags();
        EXPECT_FALSE(during & ECHO);
        EXPECT_FALSE(during & ICANON);
        EXPECT_TRUE(during & ISIG);  // Ctrl-C still interrupts
        termios mode{};
        tcgetattr(pty.slave, &mode);
        EXPECT_EQ(mode.c_cc[VSUSP], _POSIX_VDISABLE);  // Ctrl-Z does not stop it
        EXPECT_NE(Drain(pty.master).find("\x1b[1;24r"), std::string::npos);
        TerminalSession::NoteCursor(12, 5);
        throw std::runtime_error("boom");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(pty.LocalFlags(), before);
    const std::string restored = Drain(pty.master);
    EXPECT_NE(restored.find("\x1b[0m\x1b[r\x1b[?7h"), std::string::npos);
    EXPECT_NE(restored.find("\x1b[12;1H"), std::string::npos);
}

TEST(TerminalSession, OnlyTheTerminalSidesAreTouched) {
    Pty pty;
    Pipe out;
    ASSERT_GE(pty.slave, 0);
    {
        TerminalSession session(pty.slave, out.write);  // output is a pipe: no escapes
        EXPECT_FALSE(pty.LocalFlags() & ECHO);
    }
    EXPECT_TRUE(pty.LocalFlags() & ECHO);
    EXPECT_EQ(Drain(out.read), "");
}

TEST(TermiosKeyboard, AKeyOfSeveralBytesCountsOnce) {
    Pty pty;
    ASSERT_GE(pty.slave, 0);
    TerminalSession session(pty.slave, -1);
    int shown = 0;
    TermiosKeyboard keys(pty.slave, [&] { ++shown; });
    EXPECT_EQ(keys.Poll(), std::nullopt);
    pty.Type("\x1b[Ay\xe4\xb8\xadn\x1bOPt");
    EXPECT_EQ(keys.Wait(), '\x1b');  // the arrow key, whole
    EXPECT_EQ(shown, 2);             // before every read: the poll and the wait
    EXPECT_EQ(keys.Poll(), 'y');
    EXPECT_EQ(keys.Wait(), '\xe4');  // one Chinese character
    EXPECT_EQ(keys.Wait(), 'n');
    EXPECT_EQ(keys.Poll(), '\x1b');  // F1
    EXPECT_EQ(keys.Poll(), 't');
    EXPECT_EQ(keys.Poll(), std::nullopt);
}

TEST(Console, OffATerminalTextGoesOutPlainAndIsShownBeforeTheKeysAreRead) {
    Pipe in;
    Pipe out;
    Console console(in.read, out.write);
    EXPECT_FALSE(console.DrawsOnTerminal());
    EXPECT_FALSE(console.ReadsTerminal());
    console.screen.Color(10, 7);
    console.screen.Print("你好");
    console.screen.Locate(25, 14);
    console.screen.Print("status");
    console.screen.NewLine();
    console.screen.Print("y/n ?");
    EXPECT_EQ(Drain(out.read), "");  // held: one write, when the keys are read
    EXPECT_EQ(console.keys().Poll(), std::nullopt);
    EXPECT_EQ(Drain(out.read), "你好\nstatus\ny/n ?");
    console.screen.Print(" ");
    WriteAll(in.write, "y");
    EXPECT_EQ(console.keys().Wait(), 'y');
    EXPECT_EQ(Drain(out.read), " ");
    console.screen.Print("end");
    console.Close();
    EXPECT_EQ(Drain(out.read), "end");
}

TEST(Console, OnATerminalItDrawsAndPutsTheTerminalBackWhenClosed) {
    Pty pty;
    ASSERT_GE(pty.slave, 0);
    const tcflag_t before = pty.LocalFlags();
    {
        Console console(pty.slave, pty.slave);
        EXPECT_TRUE(console.DrawsOnTerminal());
        EXPECT_TRUE(console.ReadsTerminal());
        console.screen.Print("因式");
        pty.Type("q");
        EXPECT_EQ(console.keys().Wait(), 'q');
        EXPECT_NE(Drain(pty.master).find("因式"), std::string::npos);
    }
    EXPECT_EQ(pty.LocalFlags(), before);
}

}  // namespace
}  // namespace yinshi
