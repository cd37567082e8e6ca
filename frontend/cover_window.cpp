#include "cover_window.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "cover_picture.hpp"
#include "fonts.hpp"
#include "main_window.hpp"

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
    picture1_->setPixmap(QPixmap::fromImage(DrawCoverPicture()));
    picture1_->setFocusPolicy(Qt::TabFocus);
    const QRect at = twips(360, 960, 6375, 7350);
    const int border = 2 * picture1_->frameWidth();
    place(picture1_, 360, 960, 6375, 7350);
    picture1_->setGeometry(at.left(), at.top(), kCoverPictureWidth + border, kCoverPictureHeight + border);

    setTabOrder(cmdBao_, picture1_);
    setTabOrder(picture1_, cmdTuichu_);
    cmdBao_->setFocus();

    connect(cmdBao_, &QPushButton::clicked, this, &CoverWindow::goOn);
    connect(cmdTuichu_, &QPushButton::clicked, this, [this] { exitProgram_(); });
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
