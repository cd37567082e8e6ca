#pragma once

namespace yinshi {

// The text palette counts blue as 1 and red as 4; ANSI counts red as 1 and
// blue as 4. Swapping bits 0 and 2 maps one order onto the other; bit 3 picks
// the bright range.
constexpr int AnsiColorIndex(int palette) {
    const int p = palette & 7;
    return (p & 2) | ((p & 1) << 2) | ((p & 4) >> 2);
}

constexpr int AnsiForeground(int palette) { return ((palette & 8) ? 90 : 30) + AnsiColorIndex(palette); }

constexpr int AnsiBackground(int palette) { return ((palette & 8) ? 100 : 40) + AnsiColorIndex(palette); }

}  // namespace yinshi
