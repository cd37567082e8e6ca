#include "twip_window.hpp"

#include <QGuiApplication>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "twips.hpp"

namespace yinshi::frontend {

TwipWindow::TwipWindow(QWidget* parent, int designWidthTwips, int designHeightTwips)
    : QWidget(parent, parent ? Qt::Window : Qt::WindowFlags()),
      scroll_(new QScrollArea(this)),
      canvas_(new QWidget),
      dpi_(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0),
      natural_(TwipsToPixels(designWidthTwips, dpi_), TwipsToPixels(designHeightTwips, dpi_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);  // a click on the background leaves the focus where it was
    scroll_->setWidgetResizable(false);
    canvas_->resize(natural_);
    scroll_->setWidget(canvas_);
}

QRect TwipWindow::twips(int left, int top, int width, int height) const {
    return TwipRect(left, top, width, height, dpi_ * scale_);
}

QFont TwipWindow::scaled(const QFont& designFont) const {
    QFont font = designFont;
    if (designFont.pointSizeF() > 0) font.setPointSizeF(designFont.pointSizeF() * scale_);
    return font;
}

void TwipWindow::place(QWidget* control, int left, int top, int width, int height) {
    control->setParent(canvas_);
    placed_.push_back({control, QRect(left, top, width, height), control->font()});
    fitCanvas(TwipRect(left, top, width, height, dpi_));
    control->setGeometry(twips(left, top, width, height));
    control->setFont(scaled(placed_.back().font));
}

void TwipWindow::fitCanvas(const QRect& designPixels) {
    const QSize need = natural_.expandedTo(QSize(designPixels.right() + 1, designPixels.bottom() + 1));
    if (need == natural_) return;
    natural_ = need;
    relayout();
}

void TwipWindow::relayout() {
    // The largest scale at which the whole layout fits the window, one pixel to spare so that
    // rounding never brings up a scroll bar.
    const QSize room = size();
    qreal scale = std::min((room.width() - 1.0) / natural_.width(), (room.height() - 1.0) / natural_.height());
    scale = std::max(kMinScale, std::floor(scale * 1000) / 1000);
    if (scale != scale_) {
        scale_ = scale;
        for (const Placed& p : placed_) {
            if (!p.control) continue;
            p.control->setGeometry(twips(p.twips.left(), p.twips.top(), p.twips.width(), p.twips.height()));
            p.control->setFont(scaled(p.font));
        }
    }
    scaleChanged();
    QRect extent(QPoint(0, 0),
                 QSize(static_cast<int>(natural_.width() * scale_), static_cast<int>(natural_.height() * scale_)));
    for (QWidget* child : canvas_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        extent |= child->geometry();
    canvas_->resize(extent.size());
}

void TwipWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TwipWindow::setBackground(const QColor& color) {
    for (QWidget* w : {static_cast<QWidget*>(this), scroll_->viewport(), canvas_}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, color);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }
}

void TwipWindow::showFilling() {
    if (QScreen* s = screen()) setGeometry(s->availableGeometry());
    showMaximized();
}

}  // namespace yinshi::frontend
