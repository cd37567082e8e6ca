#include "cover_picture.hpp"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

#include "fonts.hpp"

namespace yinshi::frontend {

QImage DrawCoverPicture(qreal scale) {
    QImage image(static_cast<int>(std::lround(kCoverPictureWidth * scale)),
                 static_cast<int>(std::lround(kCoverPictureHeight * scale)), QImage::Format_RGB888);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    QFont title = SongFont(10);
    title.setPixelSize(84);
    p.setFont(title);
    p.setPen(QColor(255, 0, 127));
    p.drawText(QRect(0, 70, kCoverPictureWidth, 130), Qt::AlignCenter, "因式分解");

    struct Line {
        const char* text;
        QColor color;
    };
    const Line lines[] = {
        {QT_TRANSLATE_NOOP("CoverPicture", "一元和多元多项式"), QColor(128, 255, 128)},
        {QT_TRANSLATE_NOOP("CoverPicture", "有理数域上分解 · 逐步显示分组"), QColor(64, 128, 255)},
        {QT_TRANSLATE_NOOP("CoverPicture", "输入  检查  分解  打印"), QColor(255, 160, 0)},
    };
    int top = 260;
    for (const Line& line : lines) {
        const QString text = QCoreApplication::translate("CoverPicture", line.text);
        // 24 pixels high, smaller where a translation would not fit the width.
        QFont small = SongFont(10);
        int pixels = 24;
        small.setPixelSize(pixels);
        while (pixels > 12 && QFontMetrics(small).horizontalAdvance(text) > kCoverPictureWidth - 16)
            small.setPixelSize(--pixels);
        p.setFont(small);
        p.setPen(line.color);
        p.drawText(QRect(0, top, kCoverPictureWidth, 40), Qt::AlignCenter, text);
        top += 56;
    }
    return image;
}

}  // namespace yinshi::frontend
