#include "cover_picture.hpp"

#include <QPainter>

#include "fonts.hpp"

namespace yinshi::frontend {

QImage DrawCoverPicture() {
  QImage image(kCoverPictureWidth, kCoverPictureHeight, QImage::Format_RGB888);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);

  QFont title = SongFont(10);
  title.setPixelSize(84);
  p.setFont(title);
  p.setPen(QColor(255, 0, 127));
  p.drawText(QRect(0, 70, kCoverPictureWidth, 130), Qt::AlignCenter, "因式分解");

  struct Line { const char* text; QColor color; };
  const Line lines[] = {
      {"一元和多元多项式", QColor(128, 255, 128)},
      {"有理数域上分解 · 逐步显示分组", QColor(64, 128, 255)},
      {"输入  检查  分解  打印", QColor(255, 160, 0)},
  };
  QFont small = SongFont(10);
  small.setPixelSize(24);
  p.setFont(small);
  int top = 260;
  for (const Line& line : lines) {
    p.setPen(line.color);
    p.drawText(QRect(0, top, kCoverPictureWidth, 40), Qt::AlignCenter, QString::fromUtf8(line.text));
    top += 56;
  }
  return image;
}

}  // namespace yinshi::frontend
