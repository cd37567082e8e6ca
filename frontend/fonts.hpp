#pragma once
// The two typefaces of the windows; the first installed family of each list is used.
#include <QFont>

namespace yinshi::frontend {

QFont SongFont(qreal pointSize);  // "宋体"
QFont SansFont(qreal pointSize);  // "MS Sans Serif"

}  // namespace yinshi::frontend
