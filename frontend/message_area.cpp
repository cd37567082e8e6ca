#include "message_area.hpp"

#include <QPainter>
#include <algorithm>

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
    // A line longer than the area goes on below (a message that says why can be long).
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    int top = 0;
    for (const QString& line : lines_) {
        const QRect room(0, top, width(), std::max(height() - top, metrics.lineSpacing()));
        const int used = line.isEmpty() ? 0 : metrics.boundingRect(room, kFlags, line).height();
        painter.drawText(room, kFlags, line);
        top += std::max(used, metrics.lineSpacing());
    }
}

}  // namespace yinshi::frontend
