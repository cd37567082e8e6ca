#pragma once
#include <array>
#include <chrono>
#include <string>

#include "platform/renderer.hpp"
#include "platform/terminal_session.hpp"

namespace yinshi {

// Draws the screen model on an ANSI terminal. It keeps a copy of what the
// terminal shows and sends only the cells that differ, so a change costs a
// few bytes and an unchanged screen costs nothing. It sets the scrolling
// region and turns auto-wrap off itself, at the first draw and after every
// resize, because a terminal that changes size may reset both.
//
// On a terminal of at least 80 x 25 the screen is drawn in place, the status
// line on row 25. A smaller one shows what fits: the status line on its last
// row, above it as many of rows 1-24 as fit, following the cursor, and each
// row cut at the right edge. The first time the terminal is too small, two
// lines at its top say how big it should be, for a few seconds.
class TerminalRenderer final : public Renderer {
public:
    TerminalRenderer(Screen& screen, int fd, TerminalSize size = {Screen::kRows, Screen::kCols});
    ~TerminalRenderer() override { Flush(); }
    TerminalRenderer(const TerminalRenderer&) = delete;
    TerminalRenderer& operator=(const TerminalRenderer&) = delete;

    void Logged(std::string_view) override {}
    // Drawn on Flush() (before the keys are read and at exit): one write for
    // all the changes since, not one per print.
    void Changed() override { dirty_ = true; }
    void Bell() override;
    void Scrolled() override;
    void Flush() override;
    // The terminal has this size now: the next Flush() draws everything again.
    void Resize(TerminalSize size);

    static constexpr const char* kSmallNoticeZh = "终端需要 80 列、25 行";
    static constexpr const char* kSmallNoticeEn = "The terminal needs 80 columns, 25 rows.";

private:
    using Row = std::array<Cell, Screen::kCols>;
    void Layout(TerminalSize size);
    void Sync();
    // The region, the colours, a blank terminal, and nothing known on it.
    void StartOver();
    // Moves the rows shown above the status line so that the cursor is among them.
    bool FollowCursor();
    int ModelRow(int termRow) const { return termRow == statusRow_ ? Screen::kRows : top_ + termRow - 1; }
    int TermRow(int modelRow) const;
    // Draws the changed cells of terminal row `termRow`, which shows `modelRow`.
    void SyncRow(int termRow, int modelRow);
    // Grows the span first..last of a row to whole double-width characters.
    void WidenOverWideCharacters(int termRow, int modelRow, int& first, int& last) const;
    void DrawSpan(int termRow, int modelRow, int first, int last);
    void DrawNotice();
    bool NoticeShowing() const;
    void MoveTo(int row, int col);
    void SetColors(int fg, int bg);

    Screen& screen_;
    int fd_;
    // Indexed by terminal row: what the terminal shows; ch 0 = unknown.
    std::array<Row, Screen::kRows> shown_;
    int cols_ = Screen::kCols;              // columns drawn
    int scrollRows_ = Screen::kScrollRows;  // terminal rows above the status line
    int statusRow_ = Screen::kRows;         // the terminal row of the status line
    int top_ = 1;                           // the screen row on terminal row 1
    int fg_ = -1;                           // colours the terminal is set to; -1 unknown
    int bg_ = -1;
    bool startOver_ = true;          // the terminal's contents are unknown
    bool dirty_ = true;              // the screen has changed since the last sync
    std::uint32_t pendingRows_ = 0;  // terminal rows to compare whatever the screen says
    bool noticeDue_ = false;         // the terminal became too small for the first time
    bool noticeGiven_ = false;
    std::chrono::steady_clock::time_point noticeUntil_{};
    int atRow_ = 0;  // where the terminal's cursor is; 0 unknown
    int atCol_ = 0;
    std::string out_;
};

}  // namespace yinshi
