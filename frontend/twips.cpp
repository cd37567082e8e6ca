#include "twips.hpp"

#include <cmath>

namespace yinshi::frontend {

int TwipsToPixels(int twips, qreal dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

QRect TwipRect(int left, int top, int width, int height, qreal dpi) {
    return QRect(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
                 TwipsToPixels(height, dpi));
}

}  // namespace yinshi::frontend
