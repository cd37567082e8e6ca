#include "platform/screen.hpp"

#include <algorithm>

#include "platform/utf8.hpp"

namespace yinshi {

Screen::Screen() = default;

void Screen::Print(std::string_view utf8) {
    // Text goes to the log in runs, so that a renderer sees whole pieces.
    std::string run;
    auto flush = [&] {
        if (!run.empty()) AppendLog(run);
        run.clear();
    };
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t ch = DecodeUtf8(utf8, pos);
        if (ch == U'\n') {
            flush();
            NewLine();
        } else if (ch == U'\a') {
            flush();
            Bell();
        } else if (ch == U'\t') {
            flush();
            NextZone();
        } else if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
            // Stray control characters would reach a terminal as commands.
            continue;
        } else {
            AppendUtf8(run, ch);
            PutChar(ch, CharWidth(ch));
        }
    }
    flush();
    Notify();
}

void Screen::PutChar(char32_t ch, int width) {
    if (col_ + width - 1 > kCols) {
        if (row_ == kRows) {
            col_ = kCols + 1;  // cut: the status line never wraps
            return;
        }
        LineFeed();
    }
    Place(row_, col_, ch, width);
    col_ += width;
}

// Writes one character at (row, col), clearing the other half of any
// double-width character it partly covers.
void Screen::Place(int row, int col, char32_t ch, int width) {
    Line& line = LineAt(row);
    Mark(row);
    const auto first = static_cast<std::size_t>(col - 1);
    const auto last = first + static_cast<std::size_t>(width) - 1;
    if (line[first].wideTail && first > 0) {
        line[first - 1].ch = U' ';
    }
    if (last + 1 < line.size() && line[last + 1].wideTail) {
        line[last + 1].ch = U' ';
        line[last + 1].wideTail = false;
    }
    const auto fg = static_cast<std::uint8_t>(fg_);
    const auto bg = static_cast<std::uint8_t>(bg_);
    line[first] = Cell{ch, fg, bg, false};
    if (width == 2) line[first + 1] = Cell{U' ', fg, bg, true};
}

void Screen::LineFeed() {
    if (row_ < kScrollRows) {
        ++row_;
    } else {
        Scroll();
        row_ = kScrollRows;
    }
    col_ = 1;
}

void Screen::Scroll() {
    top_ = (top_ + 1) % kScrollRows;
    constexpr std::uint32_t kScrolling = (1U << kScrollRows) - 1;
    changed_ = ((changed_ & kScrolling) >> 1) | (changed_ & ~kScrolling) | (1U << (kScrollRows - 1));
    const Cell blank{U' ', static_cast<std::uint8_t>(fg_), static_cast<std::uint8_t>(bg_), false};
    LineAt(kScrollRows).fill(blank);
    if (listener_) listener_->Scrolled();
}

void Screen::NewLine() {
    AppendLog("\n");
    LineFeed();
    Notify();
}

void Screen::NextZone() {
    const int target = ((col_ - 1) / kZone + 1) * kZone + 1;
    if (target > kCols) {
        NewLine();
        return;
    }
    const std::string blanks(static_cast<std::size_t>(target - col_), ' ');
    AppendLog(blanks);
    while (col_ < target) PutChar(U' ', 1);
    Notify();
}

void Screen::PrintStatus(int col, std::string_view utf8) {
    const std::pair<int, int> pos = Cursor();
    Locate(kRows, col);
    Print(utf8);
    Locate(pos);
}

void Screen::Locate(int row, int col) {
    row = std::clamp(row, 1, kRows);
    col = std::clamp(col, 1, kCols);
    if (row != row_) AppendLog("\n");
    row_ = row;
    col_ = col;
    Notify();
}

void Screen::Color(int fg, int bg) {
    fg_ = fg & 0x0F;
    bg_ = bg & 0x0F;
}

void Screen::Clear() {
    if (row_ != 1 || col_ != 1) AppendLog("\n");
    const Cell blank{U' ', static_cast<std::uint8_t>(fg_), static_cast<std::uint8_t>(bg_), false};
    for (auto& line : cells_) line.fill(blank);
    changed_ = (1U << kRows) - 1;
    row_ = 1;
    col_ = 1;
    Notify();
}

void Screen::Bell() {
    AppendLog("\a");
    if (listener_) listener_->Bell();
}

const Cell& Screen::At(int row, int col) const {
    static const Cell kOutside{};
    if (row < 1 || row > kRows || col < 1 || col > kCols) return kOutside;
    return LineAt(row)[static_cast<std::size_t>(col - 1)];
}

std::string Screen::RowText(int row) const {
    std::string text;
    if (row < 1 || row > kRows) return text;
    for (const Cell& cell : LineAt(row)) {
        if (!cell.wideTail) AppendUtf8(text, cell.ch);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void Screen::AppendLog(std::string_view text) {
    log_ += text;
    if (listener_) listener_->Logged(text);
}

void Screen::Notify() {
    if (listener_) listener_->Changed();
}

int CharWidth(char32_t ch) {
    // East Asian Wide and Fullwidth blocks; everything else takes one column.
    struct Range {
        char32_t first;
        char32_t last;
    };
    static constexpr Range kWide[] = {
        {0x1100, 0x115F},   {0x2329, 0x232A},   {0x2E80, 0x303E},   {0x3041, 0x33FF}, {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
        {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F},
        {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
    };
    if (ch < 0x1100) return 1;
    for (const Range& r : kWide) {
        if (ch < r.first) return 1;
        if (ch <= r.last) return 2;
    }
    return 1;
}

}  // namespace yinshi
