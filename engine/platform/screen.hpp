#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace yinshi {

// A foreground and a background from the 16-colour palette.
struct ColourPair {
    int fg;
    int bg;
};

// One character cell of the text screen. A double-width character fills its
// own cell and marks the next one as its tail.
struct Cell {
    char32_t ch = U' ';
    std::uint8_t fg = 7;
    std::uint8_t bg = 0;
    bool wideTail = false;
};

// Told about every change so that a renderer can draw it (terminal) or pass the
// printed text through (plain output).
class ScreenListener {
public:
    virtual ~ScreenListener() = default;
    // Text appended to the log (exactly what a plain, escape-free output shows).
    virtual void Logged(std::string_view text) = 0;
    // The cells or the cursor changed; a renderer may redraw now or later.
    virtual void Changed() = 0;
    virtual void Bell() = 0;
    // Rows 1-24 moved up by one, before any further change is reported. A
    // terminal can repeat the scroll instead of redrawing 24 rows.
    virtual void Scrolled() {}
};

// The engine's 80 x 25 text screen. Rows 1-24 scroll; row 25 is a status line
// that stays put. Positions are (row, column) from 1. Colours are the 16-colour
// text palette (0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown,
// 7 white, 8-15 the bright ones).
class Screen {
public:
    static constexpr int kCols = 80;
    static constexpr int kRows = 25;
    static constexpr int kScrollRows = 24;
    static constexpr int kZone = 14;

    Screen();

    // Print UTF-8 text at the cursor in the current colours; wraps at column 80
    // (a double-width character that would straddle column 80 wraps whole) and
    // scrolls rows 1-24 when the text runs past row 24. The wrap is deferred: a
    // line filled to column 80 leaves the cursor at column 81 until the next
    // character, so a NewLine right after it does not leave an empty row. On
    // row 25 nothing wraps or scrolls: text past column 80 is cut (it is still
    // logged). "\n" ends the line, "\a" rings the bell, "\t" moves to the next
    // print zone; other control characters are dropped, and malformed UTF-8
    // shows as U+FFFD.
    void Print(std::string_view utf8);
    // End of the current line: the cursor goes to column 1 of the next row. From
    // row 24 the rows 1-24 scroll; from row 25 (the status line) they scroll too
    // and the cursor lands on row 24, so printing goes on below the text.
    void NewLine();
    // Move to the next 14-column print zone (columns 1, 15, 29, ...); past the
    // last zone this ends the line.
    void NextZone();
    // Out-of-range positions are clamped to the screen.
    void Locate(int row, int col);
    void Locate(std::pair<int, int> pos) { Locate(pos.first, pos.second); }
    std::pair<int, int> Cursor() const { return {row_, col_}; }
    // Writes to the status line (row 25) from column `col` and puts the print
    // position of rows 1-24 back.
    void PrintStatus(int col, std::string_view utf8);
    // Only the low four bits count: the palette has 16 colours.
    void Color(int fg, int bg);
    void Color(ColourPair c) { Color(c.fg, c.bg); }
    int Foreground() const { return fg_; }
    int Background() const { return bg_; }
    // Blanks all 25 rows in the current colours and homes the cursor.
    void Clear();
    void Bell();

    // What tests read.
    // Out-of-range positions read as a blank cell.
    const Cell& At(int row, int col) const;
    // The row's characters as UTF-8 (tails of wide characters skipped), trailing blanks removed.
    std::string RowText(int row) const;
    // Everything printed, in order: the text, "\n" for each NewLine and for a
    // Locate that changes row (and for a Clear away from the home position),
    // the blanks a print-zone move covers, "\a" for the bell. Wrapping adds
    // nothing. This is what the plain renderer writes.
    const std::string& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

    void SetListener(ScreenListener* listener) { listener_ = listener; }

    // The rows (bit r-1 for row r) whose cells may have changed since the
    // last call, so that a renderer compares only those. A scroll moves the
    // marks with the rows.
    std::uint32_t TakeChangedRows() { return std::exchange(changed_, 0U); }

private:
    void PutChar(char32_t ch, int width);
    void Place(int row, int col, char32_t ch, int width);
    void LineFeed();
    void Scroll();
    void AppendLog(std::string_view text);
    void Notify();

    using Line = std::array<Cell, kCols>;
    // Rows 1-24 are a ring: a new line moves the index of the top row instead
    // of copying 23 rows. Row 25 stays in the last slot.
    Line& LineAt(int row) { return cells_[Slot(row)]; }
    const Line& LineAt(int row) const { return cells_[Slot(row)]; }
    std::size_t Slot(int row) const {
        if (row == kRows) return kRows - 1;
        return (static_cast<std::size_t>(top_) + static_cast<std::size_t>(row - 1)) % kScrollRows;
    }

    void Mark(int row) { changed_ |= 1U << (row - 1); }

    std::array<Line, kRows> cells_{};
    int top_ = 0;  // the slot of row 1
    std::uint32_t changed_ = (1U << kRows) - 1;
    int row_ = 1;
    int col_ = 1;
    int fg_ = 7;
    int bg_ = 0;
    std::string log_;
    ScreenListener* listener_ = nullptr;
};

// Display width of a character on the terminal: 2 for East Asian wide and
// full-width characters, 1 otherwise.
int CharWidth(char32_t ch);

}  // namespace yinshi
