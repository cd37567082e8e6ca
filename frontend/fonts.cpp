#include "fonts.hpp"

#include <QStringList>

namespace yinshi::frontend {
namespace {

// Latin letters and digits come from a Latin face: the Latin glyphs of the Song faces make "l"
// look like "1". Chinese falls back, character by character, to the CJK faces after it.
const QStringList kCjkSong{"SimSun", "Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Micro Hei"};
const QStringList kCjkSans{"Noto Sans CJK SC", "WenQuanYi Micro Hei", "Droid Sans Fallback", "AR PL UMing CN"};

QFont FontOf(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

QFont SongFont(qreal pointSize) {
    return FontOf(QStringList{"DejaVu Serif", "Liberation Serif"} + kCjkSong, pointSize);
}

QFont SansFont(qreal pointSize) {
    return FontOf(QStringList{"MS Sans Serif", "DejaVu Sans", "Liberation Sans"} + kCjkSans, pointSize);
}

}  // namespace yinshi::frontend
