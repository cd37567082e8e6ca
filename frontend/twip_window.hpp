#pragma once
// A top-level window whose controls sit at fixed twip positions on a canvas. The canvas scrolls
// when the screen is smaller than the layout, so no control is ever out of reach.
#include <QColor>
#include <QRect>
#include <QWidget>

class QScrollArea;

namespace yinshi::frontend {

class TwipWindow : public QWidget {
    Q_OBJECT
public:
    TwipWindow(QWidget* parent, int designWidthTwips, int designHeightTwips);

    QWidget* canvas() const { return canvas_; }
    QScrollArea* scrollArea() const { return scroll_; }
    qreal dpi() const { return dpi_; }
    QRect twips(int left, int top, int width, int height) const;

    // Puts a control on the canvas at its twip rectangle.
    void place(QWidget* control, int left, int top, int width, int height);
    void setBackground(const QColor& color);
    // Grows the canvas to hold a control that extends past the designed area.
    void fitCanvas(const QRect& pixels);
    // Fills the screen it is on; without a window manager maximizing alone does nothing.
    void showFilling();

private:
    QScrollArea* scroll_;
    QWidget* canvas_;
    qreal dpi_;
};

}  // namespace yinshi::frontend
