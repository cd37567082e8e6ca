#pragma once
// The cover's title picture, drawn rather than shipped.
#include <QImage>

namespace yinshi::frontend {

inline constexpr int kCoverPictureWidth = 421;
inline constexpr int kCoverPictureHeight = 486;

// Drawn at `scale` times its size of 421 x 486 pixels, so that it stays sharp on a large screen.
QImage DrawCoverPicture(qreal scale = 1);

}  // namespace yinshi::frontend
