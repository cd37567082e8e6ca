#include "fonts.hpp"

#include <QStringList>

namespace yinshi::frontend {
namespace {

QFont FontOf(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

QFont SongFont(qreal pointSize) {
    return FontOf({"SimSun", "Noto Serif CJK SC", "AR PL UMing CN", "WenQuanYi Micro Hei"}, pointSize);
}

QFont SansFont(qreal pointSize) { return FontOf({"MS Sans Serif", "DejaVu Sans"}, pointSize); }

}  // namespace yinshi::frontend
