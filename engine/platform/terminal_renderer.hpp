#pragma once
#include <array>
#include <string>

#include "platform/renderer.hpp"

namespace yinshi {

// Draws the screen model on an ANSI terminal. It keeps a copy of what the
// terminal shows and sends only the cells that differ, so a change costs a
// few bytes and an unchanged screen costs nothing. Expects the scrolling
// region rows 1-24 and no auto-wrap (TerminalSession sets both).
class TerminalRenderer final : public Renderer {
public:
    TerminalRenderer(Screen& screen, int fd);
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

private:
    using Row = std::array<Cell, Screen::kCols>;
    void Sync();
    // Draws the changed cells of one row.
    void SyncRow(int row);
    // Grows the span first..last of a row to whole double-width characters.
    void WidenOverWideCharacters(int row, int& first, int& last) const;
    void DrawSpan(int row, int first, int last);
    void MoveTo(int row, int col);
    void SetColors(int fg, int bg);

    Screen& screen_;
    int fd_;
    std::array<Row, Screen::kRows> shown_;  // what the terminal shows; ch 0 = unknown
    int fg_ = -1;                           // colours the terminal is set to; -1 unknown
    int bg_ = -1;
    bool started_ = false;  // the first sync compares every row
    bool dirty_ = true;     // the screen has changed since the last sync
    int atRow_ = 0;         // where the terminal's cursor is; 0 unknown
    int atCol_ = 0;
    std::string out_;
};

}  // namespace yinshi
