#include "main_window.hpp"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <filesystem>

#include "dialogs.hpp"
#include "engine_box.hpp"
#include "engine_launcher.hpp"
#include "fonts.hpp"
#include "handoff_file.hpp"
#include "help_window.hpp"
#include "input_check.hpp"
#include "input_spelling.hpp"
#include "line_printer.hpp"
#include "message_area.hpp"
#include "print_command.hpp"

namespace yinshi::frontend {
namespace {

std::string NoticeTitle(const Dialogs& dialogs) { return dialogs.Translate("Dialogs", kNoticeTitle); }

std::filesystem::path CurrentFolder() { return std::filesystem::path(QDir::currentPath().toStdString()); }

// A refused character as the message names it: invisible ones by their code.
QString Shown(char32_t c) {
    const bool invisible = c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200B && c <= 0x200F) ||
                           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) ||
                           (c >= 0xD800 && c <= 0xDFFF) || c == 0xFEFF;
    if (invisible) return QString("U+%1").arg(static_cast<uint>(c), 4, 16, QChar('0')).toUpper();
    return QString::fromUcs4(&c, 1);
}

}  // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : TwipWindow(parent, 8115, 8340), services_(std::move(services)) {
    setObjectName("KAVO1");
    setWindowTitle(tr("一元和多元多项式的因式分解"));
    setBackground(QColor(255, 192, 255));
    setFont(SansFont(9.75));
    canvas()->setFont(font());

    cmdShuru_ = makeButton("Cmdshuru", tr("输入多项式"), SongFont(12));
    place(cmdShuru_, 240, 120, 1455, 495);
    cmdWanchang_ = makeButton("CmdWANCHANG", tr("输入完毕"), SongFont(12));
    cmdWanchang_->setDefault(true);
    place(cmdWanchang_, 2520, 120, 1335, 495);
    cmdChongshu_ = makeButton("CmdCHONGSHU", tr("重新输入"), SongFont(12));
    place(cmdChongshu_, 4800, 120, 1335, 495);

    ole1_ = new EngineBox;
    ole1_->setObjectName("OLE1");
    place(ole1_, 6600, 120, 1335, 855);

    label8_ = new QLabel;
    label8_->setObjectName("Label8");
    label9_ = new QLabel;
    label9_->setObjectName("Label9");
    for (QLabel* label : {label8_, label9_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(false);  // the pink shows through
    }
    place(label8_, 240, 5040, 7815, 255);
    place(label9_, 240, 5400, 7815, 495);

    text2_ = new QLineEdit("Text2");
    text2_->setObjectName("Text2");
    text2_->setFont(SansFont(12));
    text2_->setMaxLength(32767);
    place(text2_, 240, 6000, 7935, 480);

    picture1_ = new MessageArea;
    picture1_->setObjectName("Picture1");
    picture1_->setFocusPolicy(Qt::TabFocus);
    place(picture1_, 240, 6720, 7935, 1335);

    cmdDayin_ = makeButton("cmddayin", tr("打印"), SansFont(12));
    place(cmdDayin_, 5280, 4320, 855, 495);
    cmdBangzhu_ = makeButton("Cmdbangzhu", tr("帮助"), SongFont(12));
    place(cmdBangzhu_, 6240, 4320, 855, 495);
    cmdTuichu_ = makeButton("Cmdtuichu", tr("退出"), SongFont(12));
    place(cmdTuichu_, 7200, 4320, 855, 495);

    // Tab order; the labels take no focus.
    QWidget* order[] = {cmdShuru_,   cmdTuichu_, cmdWanchang_, cmdChongshu_, picture1_,
                        cmdBangzhu_, cmdDayin_,  text2_,       ole1_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(cmdShuru_, &QPushButton::clicked, this, &MainWindow::onNewInput);
    connect(cmdWanchang_, &QPushButton::clicked, this, &MainWindow::onInputFinished);
    connect(cmdChongshu_, &QPushButton::clicked, this, &MainWindow::onReinput);
    connect(cmdBangzhu_, &QPushButton::clicked, this, &MainWindow::onHelp);
    connect(cmdDayin_, &QPushButton::clicked, this, &MainWindow::onPrint);
    connect(cmdTuichu_, &QPushButton::clicked, this, [this] { services_.exitProgram(); });
    connect(ole1_, &EngineBox::doubleClicked, this, &MainWindow::onEngineBox);

    // Load steps.
    ole1_->hide();
    cmdShuru_->setEnabled(false);
    cmdDayin_->setEnabled(false);
    startInput();
}

QPushButton* MainWindow::makeButton(const char* name, const QString& caption, const QFont& font) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setFont(font);
    // Enter on a focused button presses that button, as in a dialog.
    button->setAutoDefault(true);
    return button;
}

void MainWindow::focusTextBox() {
    activateWindow();
    text2_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::startInput() {
    text2_->show();
    text2_->clear();
    cmdWanchang_->setEnabled(true);
    cmdChongshu_->setEnabled(true);
    label8_->setText(tr("请在下框按右例方式输入多项式.  例1：x^3+9x^2+26x+24  或  x3+9x2+26x+24  "));
    // The Chinese text is indented with 64 spaces to stand under 例1.
    label9_->setText(
        tr("                                                                "
           "例2：a3+a2c+b2c-abc+b3  或 a^3+a^2c+b^2c-abc+b^3"));
    label8_->show();
    label9_->show();
}

void MainWindow::rejectInput() {
    ole1_->hide();
    focusTextBox();
    cmdWanchang_->setEnabled(true);
}

void MainWindow::checkInput() {
    picture1_->clear();
    const QString typed = text2_->text();
    const QString text = QString::fromStdU16String(ToProgramSpelling(typed.toStdU16String()));
    if (text != typed) {
        // As an edit, so that undo brings back what was pasted.
        text2_->selectAll();
        text2_->insert(text);
    }
    picture1_->printLine(text);
    if (text.isEmpty()) {
        picture1_->printLine(tr(kInputError));
        rejectInput();
        return;
    }
    if (auto failure = WriteHandOffFile(CurrentFolder(), text.toStdString())) {
        // Without the file the engine would run on an older polynomial: keep the box hidden.
        rejectInput();
        services_.dialogs.Tell(NoticeTitle(services_.dialogs),
                               tr("无法写入文件 DXS.DAT：%1").arg(QString::fromStdString(*failure)).toStdString());
        return;
    }
    handedOff_ = text.toStdString();
    if (auto refusal = FirstRefusal(text.toStdU16String())) {
        picture1_->printLine(tr(kInputError));
        picture1_->printLine(refusalMessage(*refusal));
        rejectInput();
        return;
    }
    ole1_->show();
}

QString MainWindow::refusalMessage(const Refusal& refusal) const {
    const QString at = QString::number(refusal.position);
    switch (refusal.why) {
        case Refusal::Why::Space: return tr("第 %1 个字符是空格，它后面是数字：请删去空格，或写上 + 或 -。").arg(at);
        case Refusal::Why::TimesSign:
            return tr("第 %1 个字符“%2”是乘号：乘号不用写，数写在字母前面，如 2xy。").arg(at, Shown(refusal.character));
        case Refusal::Why::Character: break;
    }
    return tr("第 %1 个字符“%2”不能用在多项式里。").arg(at, Shown(refusal.character));
}

void MainWindow::onNewInput() {
    picture1_->clear();
    ole1_->hide();
    cmdShuru_->setEnabled(false);
    cmdDayin_->setEnabled(false);
    startInput();
    focusTextBox();
}

void MainWindow::onReinput() {
    picture1_->clear();
    ole1_->hide();
    startInput();
    focusTextBox();
}

void MainWindow::onInputFinished() {
    cmdDayin_->setEnabled(true);
    checkInput();
    cmdShuru_->setEnabled(true);
    cmdChongshu_->setEnabled(false);
    focusTextBox();
}

void MainWindow::onEngineBox() {
    if (!ole1_->isVisible()) return;
    if (auto problem = services_.launcher.Launch(services_.enginePath, QDir::currentPath(), terminalSpot()))
        services_.dialogs.Tell(NoticeTitle(services_.dialogs), problem->toStdString());
}

TerminalSpot MainWindow::terminalSpot() const {
    const QScreen* where = screen();
    return terminalSpot(where ? where->availableGeometry() : rect());
}

TerminalSpot MainWindow::terminalSpot(const QRect& screen) const {
    QList<QRect> keepClear, ratherClear;
    for (QWidget* control : canvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
        if (qobject_cast<QPushButton*>(control) || control == ole1_ || control == text2_)
            keepClear << onScreen;
        else
            ratherClear << onScreen;
    }
    return PlaceTerminal(screen, keepClear, ratherClear, QFontInfo(text2_->font()).pixelSize());
}

void MainWindow::onHelp() {
    if (!help_) {
        help_ = new HelpWindow(this);
        connect(help_, &HelpWindow::left, this, &MainWindow::focusTextBox);
    }
    help_->drawPage();
    if (!help_->isVisible()) help_->showFilling();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::onPrint() {
    RunPrintCommand(CurrentFolder(), services_.dialogs, services_.printer, handedOff_);
    // Back to the input box, so that a stray Enter does not print again.
    focusTextBox();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that no control took: Enter is "输入完毕", Esc is "重新输入" while it is enabled.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (cmdWanchang_->isEnabled()) cmdWanchang_->click();
            return;
        case Qt::Key_Escape:
            if (cmdChongshu_->isEnabled()) cmdChongshu_->click();
            return;
        default: TwipWindow::keyPressEvent(event);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The cover is hidden for good by now, so closing this window is leaving the program.
    event->accept();
    services_.exitProgram();
}

}  // namespace yinshi::frontend
