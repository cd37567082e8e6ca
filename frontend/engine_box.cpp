#include "engine_box.hpp"

#include <QMouseEvent>
#include <QPainter>

#include "fonts.hpp"

namespace yinshi::frontend {

EngineBox::EngineBox(QWidget* parent) : QWidget(parent), label_(tr("双击此框分解533.EXE")) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(SongFont(9));
    setToolTip(label_);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void EngineBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int labelHeight = 2 * metrics.lineSpacing();
    const int side = std::max(8, std::min(width() - 8, height() - labelHeight - 6));
    // A small console window as the program's icon.
    const QRect icon((width() - side) / 2, 3, side, side);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(icon, 3, 3);
    p.setPen(QColor(0, 255, 0));
    p.drawText(icon.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, ">_");
    p.setPen(Qt::black);
    p.drawText(QRect(0, icon.bottom() + 2, width(), height() - icon.bottom() - 2),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, label_);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void EngineBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace yinshi::frontend
