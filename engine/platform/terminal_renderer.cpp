#include "platform/terminal_renderer.hpp"

#include <algorithm>

#include "platform/ansi_palette.hpp"
#include "platform/fd_io.hpp"
#include "platform/utf8.hpp"

namespace yinshi {

namespace {
constexpr Cell kUnknown{U'\0', 255, 255, false};
constexpr std::uint32_t kAllRows = (1U << Screen::kRows) - 1;
// Long enough to read two short lines, short enough not to hide the text for long.
constexpr std::chrono::seconds kNoticeShown{6};
constexpr int kNoticeRows = 2;
constexpr int kNoticeFg = 14;
constexpr int kNoticeBg = 0;

bool Same(const Cell& a, const Cell& b) {
    return a.ch == b.ch && a.fg == b.fg && a.bg == b.bg && a.wideTail == b.wideTail;
}

std::uint32_t Bit(int row) { return 1U << (row - 1); }
}  // namespace

TerminalRenderer::TerminalRenderer(Screen& screen, int fd, TerminalSize size) : screen_(screen), fd_(fd) {
    for (Row& row : shown_) row.fill(kUnknown);
    Layout(size);
}

void TerminalRenderer::Resize(TerminalSize size) {
    Layout(size);
    startOver_ = true;
    dirty_ = true;
}

void TerminalRenderer::Layout(TerminalSize size) {
    const int rows = std::max(size.rows, 2);
    cols_ = std::clamp(size.cols, 1, Screen::kCols);
    scrollRows_ = std::min(rows - 1, Screen::kScrollRows);
    statusRow_ = scrollRows_ + 1;
    top_ = std::clamp(top_, 1, Screen::kScrollRows - scrollRows_ + 1);
    const bool small = size.rows < Screen::kRows || size.cols < Screen::kCols;
    if (small && !noticeGiven_) noticeDue_ = true;
}

void TerminalRenderer::Bell() {
    out_ += '\a';
    Flush();
}

void TerminalRenderer::Scrolled() {
    dirty_ = true;
    if (startOver_ || NoticeShowing()) {
        // The terminal's own scroll would move the notice, or there is
        // nothing known to move: compare every row instead.
        pendingRows_ = kAllRows;
        return;
    }
    // A line feed on the bottom row of the scrolling region moves the rows
    // above the status line up on the terminal too, whichever rows of the
    // screen they show; the new bottom row is drawn by the next sync.
    MoveTo(scrollRows_, 1);
    out_ += '\n';
    atRow_ = 0;
    const auto bottom = static_cast<std::ptrdiff_t>(scrollRows_);
    std::copy(shown_.begin() + 1, shown_.begin() + bottom, shown_.begin());
    shown_[static_cast<std::size_t>(bottom - 1)].fill(kUnknown);
    const std::uint32_t scrolling = Bit(scrollRows_ + 1) - 1;
    pendingRows_ = ((pendingRows_ & scrolling) >> 1) | (pendingRows_ & ~scrolling) | Bit(scrollRows_);
}

void TerminalRenderer::Flush() {
    // While the notice shows, every flush looks whether its time is up.
    if (dirty_ || noticeUntil_ != std::chrono::steady_clock::time_point{}) Sync();
    dirty_ = false;
    if (out_.empty()) return;
    WriteAll(fd_, out_.data(), out_.size());
    out_.clear();
}

void TerminalRenderer::StartOver() {
    out_ += "\x1b[0m\x1b[?7l\x1b[1;" + std::to_string(scrollRows_) + "r\x1b[H\x1b[2J";
    fg_ = -1;
    bg_ = -1;
    atRow_ = 0;
    for (Row& row : shown_) row.fill(kUnknown);
    pendingRows_ = kAllRows;
    noticeUntil_ = {};
    startOver_ = false;
}

bool TerminalRenderer::FollowCursor() {
    const int row = screen_.Cursor().first;
    if (row > Screen::kScrollRows) return false;
    int top = top_;
    if (row < top) top = row;
    if (row > top + scrollRows_ - 1) top = row - scrollRows_ + 1;
    if (top == top_) return false;
    top_ = top;
    return true;
}

int TerminalRenderer::TermRow(int modelRow) const {
    if (modelRow > Screen::kScrollRows) return statusRow_;
    return std::clamp(modelRow - top_ + 1, 1, scrollRows_);
}

bool TerminalRenderer::NoticeShowing() const {
    return noticeUntil_ != std::chrono::steady_clock::time_point{} && std::chrono::steady_clock::now() < noticeUntil_;
}

void TerminalRenderer::Sync() {
    if (startOver_) StartOver();
    // Only the rows the screen marked can differ from what the terminal shows,
    // besides those the renderer itself left unknown.
    const std::uint32_t changed = screen_.TakeChangedRows();
    if (FollowCursor()) pendingRows_ = kAllRows;
    const bool notice = NoticeShowing();
    if (!notice && noticeUntil_ != std::chrono::steady_clock::time_point{}) {
        noticeUntil_ = {};
        pendingRows_ |= Bit(kNoticeRows + 1) - 1;
    }
    for (int t = 1; t <= statusRow_; ++t) {
        const int m = ModelRow(t);
        if (notice && t <= kNoticeRows && t <= scrollRows_) continue;
        if ((pendingRows_ & Bit(t)) != 0 || (changed & Bit(m)) != 0) SyncRow(t, m);
    }
    pendingRows_ = 0;
    if (noticeDue_) DrawNotice();
    const auto [row, col] = screen_.Cursor();
    const int termRow = TermRow(row);
    const int termCol = std::min(col, cols_);
    if (termRow != atRow_ || termCol != atCol_) MoveTo(termRow, termCol);
    TerminalSession::NoteCursor(termRow, col);
}

void TerminalRenderer::DrawNotice() {
    noticeDue_ = false;
    noticeGiven_ = true;
    noticeUntil_ = std::chrono::steady_clock::now() + kNoticeShown;
    const char* lines[kNoticeRows] = {kSmallNoticeZh, kSmallNoticeEn};
    for (int t = 1; t <= kNoticeRows && t <= scrollRows_; ++t) {
        MoveTo(t, 1);
        SetColors(kNoticeFg, kNoticeBg);
        // Cut at the right edge: no auto-wrap, and a character that does not
        // fit whole is left out.
        const std::string_view text = lines[t - 1];
        std::size_t pos = 0;
        int width = 0;
        while (pos < text.size()) {
            const char32_t ch = DecodeUtf8(text, pos);
            width += CharWidth(ch);
            if (width > cols_) break;
            AppendUtf8(out_, ch);
        }
        out_ += "\x1b[K";
        shown_[static_cast<std::size_t>(t - 1)].fill(kUnknown);
        atRow_ = 0;
    }
}

void TerminalRenderer::SyncRow(int termRow, int modelRow) {
    const Row& shown = shown_[static_cast<std::size_t>(termRow - 1)];
    int first = 0;
    int last = 0;
    for (int c = 1; c <= cols_; ++c) {
        if (!Same(screen_.At(modelRow, c), shown[static_cast<std::size_t>(c - 1)])) {
            if (first == 0) first = c;
            last = c;
        }
    }
    if (first == 0) return;
    WidenOverWideCharacters(termRow, modelRow, first, last);
    DrawSpan(termRow, modelRow, first, last);
}

void TerminalRenderer::WidenOverWideCharacters(int termRow, int modelRow, int& first, int& last) const {
    // Never draw half of a double-width character, neither of the new one nor
    // of the one the terminal shows.
    const Row& shown = shown_[static_cast<std::size_t>(termRow - 1)];
    auto tailAt = [&](int c) {
        return screen_.At(modelRow, c).wideTail || shown[static_cast<std::size_t>(c - 1)].wideTail;
    };
    bool grown = true;
    while (grown) {
        grown = false;
        if (first > 1 && tailAt(first)) {
            --first;
            grown = true;
        }
        if (last < cols_ && tailAt(last + 1)) {
            ++last;
            grown = true;
        }
    }
}

void TerminalRenderer::DrawSpan(int termRow, int modelRow, int first, int last) {
    Row& shown = shown_[static_cast<std::size_t>(termRow - 1)];
    MoveTo(termRow, first);
    for (int c = first; c <= last; ++c) {
        const Cell& cell = screen_.At(modelRow, c);
        shown[static_cast<std::size_t>(c - 1)] = cell;
        if (cell.wideTail) continue;  // the head covered it
        SetColors(cell.fg, cell.bg);
        // A double-width character cut by the right edge shows as a blank.
        const bool cut = c == cols_ && cols_ < Screen::kCols && screen_.At(modelRow, c + 1).wideTail;
        AppendUtf8(out_, cut ? U' ' : cell.ch);
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
