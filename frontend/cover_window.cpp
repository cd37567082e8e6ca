#include "cover_window.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "cover_picture.hpp"
#include "fonts.hpp"
#include "main_window.hpp"
#include "twips.hpp"

namespace yinshi::frontend {

CoverWindow::CoverWindow(std::function<MainWindow*()> makeMainWindow, std::function<void()> exitProgram)
    : TwipWindow(nullptr, 4680, 3195),
      makeMainWindow_(std::move(makeMainWindow)),
      exitProgram_(std::move(exitProgram)),
      cmdBao_(new QPushButton(tr("输入多项式"))),
      cmdTuichu_(new QPushButton(tr("退  出"))),
      picture1_(new QLabel) {
    setObjectName("baozhForm");
    setWindowTitle(tr("因式分解"));

    cmdBao_->setObjectName("cmdbao");
    cmdBao_->setFont(SongFont(12));
    cmdBao_->setAutoDefault(true);
    place(cmdBao_, 360, 120, 1815, 495);
    cmdTuichu_->setObjectName("Cmdtuichu");
    cmdTuichu_->setFont(SansFont(12));
    cmdTuichu_->setAutoDefault(true);
    place(cmdTuichu_, 2640, 120, 1695, 495);

    // The picture box sizes itself to its picture, inside a sunken border.
    picture1_->setObjectName("Picture1");
    picture1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture1_->setLineWidth(2);
    picture1_->setFocusPolicy(Qt::TabFocus);
    picture1_->setParent(canvas());
    const int border = 2 * picture1_->frameWidth();
    fitCanvas(QRect(TwipRect(360, 960, 0, 0, dpi()).topLeft(),
                    QSize(kCoverPictureWidth + border, kCoverPictureHeight + border)));
    scaleChanged();

    setTabOrder(cmdBao_, picture1_);
    setTabOrder(picture1_, cmdTuichu_);
    cmdBao_->setFocus();

    connect(cmdBao_, &QPushButton::clicked, this, &CoverWindow::goOn);
    connect(cmdTuichu_, &QPushButton::clicked, this, [this] { exitProgram_(); });
}

void CoverWindow::scaleChanged() {
    const QSize size(static_cast<int>(std::lround(kCoverPictureWidth * scale())),
                     static_cast<int>(std::lround(kCoverPictureHeight * scale())));
    if (picture1_->pixmap().size() != size) picture1_->setPixmap(QPixmap::fromImage(DrawCoverPicture(scale())));
    const int border = 2 * picture1_->frameWidth();
    picture1_->setGeometry(QRect(twips(360, 960, 0, 0).topLeft(), size + QSize(border, border)));
}

void CoverWindow::goOn() {
    hide();
    if (!main_) main_ = makeMainWindow_();
    main_->showFilling();
    main_->focusTextBox();
}

void CoverWindow::closeEvent(QCloseEvent* event) {
    // The cover is the only window at that point: closing it is leaving.
    event->accept();
    exitProgram_();
}

}  // namespace yinshi::frontend
