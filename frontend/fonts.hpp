#pragma once
// The two typefaces of the windows and the printout: a Latin face first, then the CJK faces
// that Chinese falls back to; of each kind the first installed family is used.
#include <QFont>

namespace yinshi::frontend {

QFont SongFont(qreal pointSize);  // "宋体": a serif Latin face, Song for Chinese
QFont SansFont(qreal pointSize);  // "MS Sans Serif": a sans Latin face, a Hei face for Chinese

}  // namespace yinshi::frontend
