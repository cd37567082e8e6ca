#pragma once
// The cover's title picture, drawn rather than shipped.
#include <QImage>

namespace yinshi::frontend {

inline constexpr int kCoverPictureWidth = 421;
inline constexpr int kCoverPictureHeight = 486;

QImage DrawCoverPicture();

}  // namespace yinshi::frontend
