#pragma once
// Window layouts are given in twips (1/1440 inch); the screen's logical DPI turns them into pixels.
#include <QRect>

namespace yinshi::frontend {

int TwipsToPixels(int twips, qreal dpi);
QRect TwipRect(int left, int top, int width, int height, qreal dpi);

}  // namespace yinshi::frontend
