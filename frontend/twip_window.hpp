#pragma once
// A top-level window whose controls sit at fixed twip positions on a canvas. The layout is
// drawn at one scale, fonts with it, so that it fills the window while keeping its
// proportions; the canvas scrolls when even the smallest scale does not fit, so no control is
// ever out of reach.
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class QScrollArea;

namespace yinshi::frontend {

class TwipWindow : public QWidget {
    Q_OBJECT
public:
    TwipWindow(QWidget* parent, int designWidthTwips, int designHeightTwips);

    QWidget* canvas() const { return canvas_; }
    QScrollArea* scrollArea() const { return scroll_; }
    // The screen's logical dots per inch; the layout is drawn at dpi() * scale().
    qreal dpi() const { return dpi_; }
    qreal scale() const { return scale_; }
    // A twip rectangle in canvas pixels at the current scale.
    QRect twips(int left, int top, int width, int height) const;
    // A font of the layout at the current scale.
    QFont scaled(const QFont& designFont) const;

    // Puts a control on the canvas at its twip rectangle, in the font it has now; both follow
    // the scale from then on.
    void place(QWidget* control, int left, int top, int width, int height);
    void setBackground(const QColor& color);
    // Grows the area the scale must fit (pixels at scale 1) to hold a control that extends
    // past the designed area.
    void fitCanvas(const QRect& designPixels);
    // Fills the screen it is on; without a window manager maximizing alone does nothing.
    void showFilling();

    // The smallest scale; below it the canvas scrolls.
    static constexpr qreal kMinScale = 0.6;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Lays out what place() does not hold (pictures, drawn pages) at the current scale; called
    // whenever the layout is done again.
    virtual void scaleChanged() {}
    // Chooses the scale for the window's present size and lays the controls out again.
    void relayout();

private:
    struct Placed {
        QPointer<QWidget> control;
        QRect twips;
        QFont font;
    };
    QScrollArea* scroll_;
    QWidget* canvas_;
    qreal dpi_;
    qreal scale_ = 1;
    QSize natural_;  // what the scale must fit, in pixels at scale 1
    std::vector<Placed> placed_;
};

}  // namespace yinshi::frontend
