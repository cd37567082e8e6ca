#include "help_window.hpp"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "fonts.hpp"
#include "help_text.hpp"

namespace yinshi::frontend {
namespace {
QFont PageFont() { return SongFont(12); }
}  // namespace

// The drawing surface behind the button; it keeps what was drawn so that it can repaint it.
class HelpPage : public QWidget {
public:
    explicit HelpPage(QWidget* parent) : QWidget(parent) {}

    void clear() {
        lines_.clear();
        update();
    }
    void drawLine(const QString& text) {
        lines_.append(text);
        update();
    }
    const QStringList& lines() const { return lines_; }

    QSize extent() const {
        const QFontMetrics metrics(font());
        int width = 0;
        for (const QString& line : lines_) width = std::max(width, metrics.horizontalAdvance(line));
        return QSize(width + 1, static_cast<int>(lines_.size()) * metrics.lineSpacing() + 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        int baseline = metrics.ascent();
        for (const QString& line : lines_) {
            painter.drawText(0, baseline, line);
            baseline += metrics.lineSpacing();
        }
    }

private:
    QStringList lines_;
};

HelpWindow::HelpWindow(QWidget* parent)
    : TwipWindow(parent, 4680, 3195), close_(new QPushButton(tr("退出画面"))), page_(new HelpPage(nullptr)) {
    setObjectName("Form3");
    setWindowTitle(tr("帮助 — 因式分解"));
    setFont(SongFont(12));
    page_->setParent(canvas());
    page_->setFont(scaled(PageFont()));
    page_->move(0, 0);
    page_->lower();
    close_->setObjectName("Cmdtuicxm");
    close_->setFont(SansFont(12));
    close_->setAutoDefault(true);
    place(close_, 120, 120, 1935, 495);
    connect(close_, &QPushButton::clicked, this, [this] {
        hide();
        emit left();
    });
}

void HelpWindow::drawPage() {
    page_->clear();
    for (int i = 0; i < 3; ++i) page_->drawLine(QString());
    for (const QString& line : helpLines()) {
        page_->drawLine(line);
        page_->drawLine(QString());
    }
    // The page at scale 1 is what the window's scale must fit; then it is laid out at that scale.
    page_->setFont(PageFont());
    fitCanvas(QRect(QPoint(0, 0), page_->extent()));
    relayout();
}

void HelpWindow::scaleChanged() {
    page_->setFont(scaled(PageFont()));
    page_->resize(page_->extent());
}

QStringList HelpWindow::pageLines() const { return page_->lines(); }

QStringList HelpWindow::helpLines() { return tr(kHelpPage).split('\n'); }

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close_->click();
        return;
    }
    TwipWindow::keyPressEvent(event);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit left();
}

}  // namespace yinshi::frontend
