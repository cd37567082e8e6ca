#include "twip_window.hpp"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "twips.hpp"

namespace yinshi::frontend {

TwipWindow::TwipWindow(QWidget* parent, int designWidthTwips, int designHeightTwips)
    : QWidget(parent, parent ? Qt::Window : Qt::WindowFlags()),
      scroll_(new QScrollArea(this)),
      canvas_(new QWidget),
      dpi_(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);  // a click on the background leaves the focus where it was
    scroll_->setWidgetResizable(false);
    canvas_->resize(TwipsToPixels(designWidthTwips, dpi_), TwipsToPixels(designHeightTwips, dpi_));
    scroll_->setWidget(canvas_);
}

QRect TwipWindow::twips(int left, int top, int width, int height) const {
    return TwipRect(left, top, width, height, dpi_);
}

void TwipWindow::place(QWidget* control, int left, int top, int width, int height) {
    const QRect r = twips(left, top, width, height);
    control->setParent(canvas_);
    control->setGeometry(r);
    fitCanvas(r);
}

void TwipWindow::fitCanvas(const QRect& pixels) {
    const QSize need = canvas_->size().expandedTo(QSize(pixels.right() + 1, pixels.bottom() + 1));
    if (need != canvas_->size()) canvas_->resize(need);
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
