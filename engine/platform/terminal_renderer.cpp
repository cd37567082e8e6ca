#include "platform/terminal_renderer.hpp"

#include <algorithm>

#include "platform/ansi_palette.hpp"
#include "platform/fd_io.hpp"
#include "platform/terminal_session.hpp"
#include "platform/utf8.hpp"

namespace yinshi {

namespace {
constexpr Cell kUnknown{U'\0', 255, 255, false};

bool Same(const Cell& a, const Cell& b) {
    return a.ch == b.ch && a.fg == b.fg && a.bg == b.bg && a.wideTail == b.wideTail;
}
}  // namespace

TerminalRenderer::TerminalRenderer(Screen& screen, int fd) : screen_(screen), fd_(fd) {
    for (Row& row : shown_) row.fill(kUnknown);
}

void TerminalRenderer::Bell() {
    out_ += '\a';
    Flush();
}

void TerminalRenderer::Scrolled() {
    // A line feed on the bottom row of the scrolling region moves rows 1-24 up
    // on the terminal too; the new bottom row is drawn by the next sync.
    MoveTo(Screen::kScrollRows, 1);
    out_ += '\n';
    atRow_ = 0;
    dirty_ = true;
    std::copy(shown_.begin() + 1, shown_.begin() + Screen::kScrollRows, shown_.begin());
    shown_[Screen::kScrollRows - 1].fill(kUnknown);
}

void TerminalRenderer::Flush() {
    if (dirty_) Sync();
    dirty_ = false;
    if (out_.empty()) return;
    WriteAll(fd_, out_.data(), out_.size());
    out_.clear();
}

void TerminalRenderer::Sync() {
    // Only the rows the screen marked can differ from what the terminal shows;
    // every row the first time.
    std::uint32_t rows = screen_.TakeChangedRows();
    if (!started_) {
        rows = (1U << Screen::kRows) - 1;
        started_ = true;
    }
    for (int r = 1; r <= Screen::kRows; ++r)
        if ((rows & (1U << (r - 1))) != 0) SyncRow(r);
    const auto [row, col] = screen_.Cursor();
    if (row != atRow_ || std::min(col, Screen::kCols) != atCol_) MoveTo(row, std::min(col, Screen::kCols));
    TerminalSession::NoteCursor(row, col);
}

void TerminalRenderer::SyncRow(int row) {
    const Row& shown = shown_[static_cast<std::size_t>(row - 1)];
    int first = 0;
    int last = 0;
    for (int c = 1; c <= Screen::kCols; ++c) {
        if (!Same(screen_.At(row, c), shown[static_cast<std::size_t>(c - 1)])) {
            if (first == 0) first = c;
            last = c;
        }
    }
    if (first == 0) return;
    WidenOverWideCharacters(row, first, last);
    DrawSpan(row, first, last);
}

void TerminalRenderer::WidenOverWideCharacters(int row, int& first, int& last) const {
    // Never draw half of a double-width character, neither of the new one nor
    // of the one the terminal shows.
    const Row& shown = shown_[static_cast<std::size_t>(row - 1)];
    auto tailAt = [&](int c) { return screen_.At(row, c).wideTail || shown[static_cast<std::size_t>(c - 1)].wideTail; };
    bool grown = true;
    while (grown) {
        grown = false;
        if (first > 1 && tailAt(first)) {
            --first;
            grown = true;
        }
        if (last < Screen::kCols && tailAt(last + 1)) {
            ++last;
            grown = true;
        }
    }
}

void TerminalRenderer::DrawSpan(int row, int first, int last) {
    Row& shown = shown_[static_cast<std::size_t>(row - 1)];
    MoveTo(row, first);
    for (int c = first; c <= last; ++c) {
        const Cell& cell = screen_.At(row, c);
        shown[static_cast<std::size_t>(c - 1)] = cell;
        if (cell.wideTail) continue;  // the head covered it
        SetColors(cell.fg, cell.bg);
        AppendUtf8(out_, cell.ch);
    }
    atRow_ = 0;
}

void TerminalRenderer::MoveTo(int row, int col) {
    out_ += "\x1b[" + std::to_string(row) + ';' + std::to_string(col) + 'H';
    atRow_ = row;
    atCol_ = col;
}

void TerminalRenderer::SetColors(int fg, int bg) {
    if (fg == fg_ && bg == bg_) return;
    out_ += "\x1b[0;" + std::to_string(AnsiForeground(fg)) + ';' + std::to_string(AnsiBackground(bg)) + 'm';
    fg_ = fg;
    bg_ = bg;
}

}  // namespace yinshi
