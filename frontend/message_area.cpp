#include "message_area.hpp"

#include <QPainter>

#include "fonts.hpp"

namespace yinshi::frontend {

MessageArea::MessageArea(QWidget* parent) : QWidget(parent) {
    setFont(SongFont(14.25));
    // There is no title-bar colour to ask the system for here; the active highlight colour is
    // the palette's nearest equivalent.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
    setPalette(pal);
    setAutoFillBackground(true);
}

void MessageArea::clear() {
    lines_.clear();
    update();
}

void MessageArea::printLine(const QString& text) {
    lines_.append(text);
    update();
}

void MessageArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = metrics.ascent();
    for (const QString& line : lines_) {
        painter.drawText(0, baseline, line);
        baseline += metrics.lineSpacing();
    }
}

}  // namespace yinshi::frontend
