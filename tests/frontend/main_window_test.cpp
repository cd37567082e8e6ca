#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "app_setup.hpp"
#include "engine_box.hpp"
#include "help_text.hpp"
#include "help_window.hpp"
#include "message_area.hpp"
#include "qt_dialogs.hpp"
#include "twips.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

namespace {
enum class State { Input, Ready, Rejected };
const QString kError = QString::fromUtf8(kInputError);
QStringList ExpectedHelpPage() {
    QStringList page{"", "", ""};
    for (const QString& line : QString::fromUtf8(kHelpPage).split('\n')) page << line << "";
    return page;
}
}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    MainWindow* w = nullptr;

    void finish(const QString& text) {
        w->textBox()->setText(text);  // keyClicks cannot type Chinese
        w->finishedButton()->click();
    }
    std::string handOff() const { return h->folder.dir.read("DXS.DAT"); }

    // Everything the state table fixes for one state; empty when all of it holds.
    QString mismatch(State s) const {
        QStringList bad;
        auto want = [&](bool ok, const char* what) {
            if (!ok) bad << what;
        };
        want(w->textBox()->isVisible(), "Text2 visible");
        want(w->engineBox()->isVisible() == (s == State::Ready), "OLE1");
        want(w->newInputButton()->isEnabled() == (s != State::Input), "Cmdshuru");
        want(w->finishedButton()->isEnabled(), "CmdWANCHANG");
        want(w->reinputButton()->isEnabled() == (s == State::Input), "CmdCHONGSHU");
        want(w->printButton()->isEnabled() == (s != State::Input), "cmddayin");
        want(w->focusWidget() == w->textBox(), "focus on Text2");
        const QStringList shown = w->messageArea()->lines();
        if (s == State::Input) want(shown.isEmpty(), "Picture1 empty");
        if (s == State::Ready) want(shown == QStringList{w->textBox()->text()}, "Picture1 echo");
        // The echo, the error, and, but for an empty text, what was refused and where.
        if (s == State::Rejected)
            want(shown.mid(0, 2) == QStringList({w->textBox()->text(), kError}) &&
                     shown.size() == (w->textBox()->text().isEmpty() ? 2 : 3),
                 "Picture1 error");
        return bad.join(", ");
    }

private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        w = h->make();
        w->showFilling();
        w->focusTextBox();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { h.reset(); }

    void layoutCaptionsAndFonts() {
        QCOMPARE(w->windowTitle(), QString("一元和多元多项式的因式分解"));
        QCOMPARE(w->objectName(), QString("KAVO1"));
        QCOMPARE(w->canvas()->palette().color(QPalette::Window), QColor(255, 192, 255));
        QCOMPARE(w->engineBox()->palette().color(QPalette::Window), QColor(128, 255, 255));
        QCOMPARE(w->messageArea()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        struct Row {
            const char* name;
            int l, t, wd, ht;
            const char* caption;
            const char* family;
            qreal pt;
        };
        const Row rows[] = {
            {"Cmdshuru", 240, 120, 1455, 495, "输入多项式", "DejaVu Serif", 12},
            {"CmdWANCHANG", 2520, 120, 1335, 495, "输入完毕", "DejaVu Serif", 12},
            {"CmdCHONGSHU", 4800, 120, 1335, 495, "重新输入", "DejaVu Serif", 12},
            {"OLE1", 6600, 120, 1335, 855, nullptr, nullptr, 0},
            {"Label8", 240, 5040, 7815, 255, nullptr, "MS Sans Serif", 9.75},
            {"Label9", 240, 5400, 7815, 495, nullptr, "MS Sans Serif", 9.75},
            {"Text2", 240, 6000, 7935, 480, nullptr, "MS Sans Serif", 12},
            {"Picture1", 240, 6720, 7935, 1335, nullptr, "DejaVu Serif", 14.25},
            {"cmddayin", 5280, 4320, 855, 495, "打印", "MS Sans Serif", 12},
            {"Cmdbangzhu", 6240, 4320, 855, 495, "帮助", "DejaVu Serif", 12},
            {"Cmdtuichu", 7200, 4320, 855, 495, "退出", "DejaVu Serif", 12},
        };
        for (const Row& r : rows) {
            auto* c = w->findChild<QWidget*>(r.name);
            QVERIFY2(c, r.name);
            QCOMPARE(c->geometry(), TwipRect(r.l, r.t, r.wd, r.ht, w->dpi() * w->scale()));
            if (r.caption) QCOMPARE(static_cast<QPushButton*>(c)->text(), QString(r.caption));
            if (r.family) {
                QCOMPARE(c->font().families().value(0), QString(r.family));
                QCOMPARE(c->font().pointSizeF(), r.pt * w->scale());
            }
        }
        QVERIFY(!w->firstInstruction()->autoFillBackground());  // labels let the pink show through
        QStringList chain;  // the focus chain from Cmdshuru, focusable controls only
        for (QWidget* c = w->newInputButton(); chain.size() < 9; c = c->nextInFocusChain())
            if (c->focusPolicy() & Qt::TabFocus && !c->objectName().isEmpty()) chain << c->objectName();
        QCOMPARE(chain, QStringList({"Cmdshuru", "Cmdtuichu", "CmdWANCHANG", "CmdCHONGSHU", "Picture1", "Cmdbangzhu",
                                     "cmddayin", "Text2", "OLE1"}));
    }

    void loadLeavesInputState() {
        QCOMPARE(mismatch(State::Input), QString());
        QCOMPARE(w->textBox()->text(), QString());
        QCOMPARE(w->firstInstruction()->text(),
                 QString("请在下框按右例方式输入多项式.  例1：x^3+9x^2+26x+24  或  x3+9x2+26x+24  "));
        QCOMPARE(w->secondInstruction()->text(), QString(64, ' ') + "例2：a3+a2c+b2c-abc+b3  或 a^3+a^2c+b^2c-abc+b^3");
        QVERIFY(!h->folder.dir.read("DXS.DAT").size());
    }

    void acceptedTextIsHandedOff() {
        finish("x^3+9x^2+26x+24");
        QCOMPARE(mismatch(State::Ready), QString());
        QCOMPARE(handOff(), std::string("\"x^3+9x^2+26x+24\"\r\n"));
    }

    void rejectedTextIsHandedOffAnyway_data() {
        QTest::addColumn<QString>("text");
        for (const char* t : {"x 2+1", "2*x", "x.5", "x=1", "ｘ＊2", "x的2"}) QTest::newRow(t) << QString(t);
    }
    void rejectedTextIsHandedOffAnyway() {
        QFETCH(QString, text);
        finish(text);
        QCOMPARE(mismatch(State::Rejected), QString());
        QCOMPARE(handOff(), "\"" + w->textBox()->text().toStdString() + "\"\r\n");  // as the box shows it
    }

    void emptyTextLeavesHandOffAlone() {
        h->folder.dir.write("DXS.DAT", "\"old\"\r\n");
        finish("");
        QCOMPARE(mismatch(State::Rejected), QString());
        QCOMPARE(handOff(), std::string("\"old\"\r\n"));
    }

    void transitions() {
        w->textBox()->setText("abc");
        w->reinputButton()->click();  // input -> input, cleared
        QCOMPARE(mismatch(State::Input), QString());
        QCOMPARE(w->textBox()->text(), QString());

        finish("x^2=1");
        w->textBox()->setText("x^2-1");  // edited in place after the rejection
        w->finishedButton()->click();
        QCOMPARE(mismatch(State::Ready), QString());

        w->textBox()->setText("x^2-4");  // editing in the ready state hands nothing off
        QCOMPARE(handOff(), std::string("\"x^2-1\"\r\n"));
        QVERIFY(w->engineBox()->isVisible());
        w->finishedButton()->click();  // pressed again: the current text goes through again
        QCOMPARE(handOff(), std::string("\"x^2-4\"\r\n"));

        w->newInputButton()->click();
        QCOMPARE(mismatch(State::Input), QString());
        finish("*");
        w->newInputButton()->click();
        QCOMPARE(mismatch(State::Input), QString());
    }

    void enterAndEscape() {
        w->textBox()->setText("x^2-1");
        QTest::keyClick(w->textBox(), Qt::Key_Escape);  // re-input while it is enabled
        QCOMPARE(w->textBox()->text(), QString());
        w->textBox()->setText("x^2-1");
        QTest::keyClick(w->textBox(), Qt::Key_Return);
        QCOMPARE(mismatch(State::Ready), QString());
        QTest::keyClick(w->textBox(), Qt::Key_Escape);  // disabled now: nothing happens
        QCOMPARE(w->textBox()->text(), QString("x^2-1"));
        w->helpButton()->setFocus();
        QTest::keyClick(w->helpButton(), Qt::Key_Return);  // a focused button takes its own Enter
        QVERIFY(w->helpWindow() && w->helpWindow()->isVisible());
    }

    void handOffFailureIsReportedAndBoxStaysHidden() {
        QDir().mkdir("DXS.DAT");
        finish("x^2-1");
        QCOMPARE(h->dialogs.told.size(), size_t(1));
        QVERIFY(h->dialogs.told[0].find("DXS.DAT") != std::string::npos);
        QVERIFY(!w->engineBox()->isVisible());
        QCOMPARE(w->messageArea()->lines(), QStringList{"x^2-1"});
    }

    void doubleClickStartsEngineInCurrentFolder() {
        finish("x^3+9x^2+26x+24");
        QTest::mouseDClick(w->engineBox(), Qt::LeftButton);
        QTest::mouseDClick(w->engineBox(), Qt::LeftButton);
        const QString call = "/opt/yinshi-engine|" + h->folder.path();
        QCOMPARE(h->launcher.calls, QStringList({call, call}));
        h->launcher.problem = "找不到分解程序";
        QTest::mouseDClick(w->engineBox(), Qt::LeftButton);
        QCOMPARE(h->dialogs.told, std::vector<std::string>{"注意|找不到分解程序"});
        QCOMPARE(mismatch(State::Ready), QString());
    }

    void helpPageOpensOnceAndReturnsFocus() {
        finish("2*x");
        w->helpButton()->click();
        w->helpButton()->click();
        HelpWindow* help = w->helpWindow();
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QString("帮助 — 因式分解"));
        QCOMPARE(help->objectName(), QString("Form3"));
        QCOMPARE(help->closeButton()->text(), QString("退出画面"));
        QCOMPARE(help->closeButton()->geometry(), TwipRect(120, 120, 1935, 495, help->dpi() * help->scale()));
        const QStringList page = ExpectedHelpPage();
        QCOMPARE(page.size(), 3 + 2 * 16);
        QVERIFY(page.join("").contains("another solution y/n"));
        QCOMPARE(help->pageLines(), page);
        help->closeButton()->click();
        QVERIFY(!help->isVisible());
        QCOMPARE(help->pageLines(), page);  // kept, so that an uncovered page repaints itself
        QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->textBox()));
        w->reinputButton()->setFocus();
        w->helpButton()->click();
        help->close();  // the title bar's close acts as the button
        QVERIFY(!help->isVisible());
        QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->textBox()));
        w->helpButton()->click();
        QTest::keyClick(help->closeButton(), Qt::Key_Escape);  // and so does Esc
        QVERIFY(!help->isVisible());
        QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->textBox()));
        QCOMPARE(mismatch(State::Rejected), QString());
    }

    void printCommandLeavesStateAloneAndFocusOnTheInputBox() {
        h->folder.dir.write("jg.dat", "x^2-1\r\n\r\n=(x+1)(x-1)\r\n");
        finish("x^2-1");
        w->printButton()->setFocus();
        QTest::keyClick(w->printButton(), Qt::Key_Return);
        QCOMPARE(h->printer.lines, std::vector<std::string>({"", "x^2-1", "", "=(x+1)(x-1)", ""}));
        QCOMPARE(mismatch(State::Ready), QString());  // the focus is back on Text2
    }

    void printCommandChecksTheTranscriptAgainstTheLastInput() {
        finish("x^2-1");
        w->printButton()->click();  // no engine has run here yet
        QCOMPARE(h->dialogs.log, std::vector<std::string>{"!注意|还没有结果文件 jg.dat。请先双击图框运行分解程序。"});
        h->folder.dir.write("jg.dat", "x^ 2- 1 \r\n=(x+1)(x-1)\r\n");
        finish("(x+1)(x-1)");  // passes the window, but the engine writes no transcript for it
        h->dialogs.log.clear();
        h->dialogs.answers = {false};
        w->printButton()->click();
        QCOMPARE(
            h->dialogs.log,
            std::vector<std::string>{
                "?注意|结果文件 jg.dat 不是最后输入的多项式 (x+1)(x-1) 的结果，而是 x^ 2- 1 的结果。\n仍然打印吗？"});
        QVERIFY(h->printer.lines.empty());
        QCOMPARE(mismatch(State::Ready), QString());
    }

    void messageBoxButtonsAreChinese() {
        QVERIFY2(InstallTranslations(*QCoreApplication::instance(), LanguageOf("zh_CN.UTF-8")),
                 "Qt's own translations (qt6-translations-l10n) are not installed");
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (QAbstractButton* b : box->buttons()) seen << b->text();
            box->button(QMessageBox::No)->click();
        });
        MessageBoxDialogs dialogs;
        QVERIFY(!dialogs.AskYesNo("注意", "打印机准备就绪?"));
        seen.sort();
        QCOMPARE(seen, QStringList({"否(&N)", "是(&Y)"}));
    }

    void pastedTextIsSpelledAndRefusalsSayWhy() {
        finish("x²−5x+6");  // as pasted: a superscript, the minus sign
        QCOMPARE(w->textBox()->text(), QString("x^2-5x+6"));
        QCOMPARE(mismatch(State::Ready), QString());
        QCOMPARE(handOff(), std::string("\"x^2-5x+6\"\r\n"));
        QTest::keySequence(w->textBox(), QKeySequence::Undo);  // the pasted text is one undo away
        QCOMPARE(w->textBox()->text(), QString("x²−5x+6"));
        finish("a³ − b³·２");
        QCOMPARE(mismatch(State::Rejected), QString());
        QCOMPARE(w->messageArea()->lines().value(2),
                 QString("第 8 个字符“·”是乘号：乘号不用写，数写在字母前面，如 2xy。"));
        finish("x^2+y的2");
        QCOMPARE(w->messageArea()->lines().value(2), QString("第 6 个字符“的”不能用在多项式里。"));
    }

    // The layout fills the window at one scale on a large and a small screen, and the engine's
    // terminal finds room on the screen clear of the input box and the buttons, its font as
    // large as that room allows.
    void layoutAndTerminalFitTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("leastFont");
        QTest::newRow("1600x1000") << QSize(1600, 1000) << 12;
        QTest::newRow("1024x768") << QSize(1024, 768) << 8;
        QTest::newRow("1366x768") << QSize(1366, 768) << 8;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 12;
    }
    void layoutAndTerminalFitTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(int, leastFont);
        w->setGeometry(QRect(QPoint(0, 0), screen));
        QTRY_COMPARE(w->size(), screen);
        const QRect text = w->textBox()->geometry(), picture = w->messageArea()->geometry();
        QCOMPARE(text, TwipRect(240, 6000, 7935, 480, w->dpi() * w->scale()));
        // One of the two sides is filled, to the pixel or two of rounding.
        const double across = double(text.right() + 1) / screen.width();
        const double down = double(TwipsToPixels(8340, w->dpi() * w->scale())) / screen.height();
        QVERIFY2(std::max(across, down) > 0.99 && across <= 1 && down <= 1, qPrintable(QString::number(w->scale())));
        QCOMPARE(picture.width(), text.width());
        QCOMPARE(w->scrollArea()->horizontalScrollBar()->isVisible(), false);
        QCOMPARE(w->scrollArea()->verticalScrollBar()->isVisible(), false);
        QCOMPARE(w->messageArea()->font().pointSizeF(), 14.25 * w->scale());

        const TerminalSpot spot = w->terminalSpot(QRect(QPoint(0, 0), screen));
        const QRect terminal(spot.place, TerminalSize(spot.fontPixels));
        QVERIFY(QRect(QPoint(0, 0), screen).contains(terminal));
        for (QWidget* c : w->canvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QPushButton*>(c) && c != w->engineBox() && c != w->textBox()) continue;
            QVERIFY2(!terminal.intersects(QRect(c->mapToGlobal(QPoint(0, 0)), c->size())), qPrintable(c->objectName()));
        }
        QVERIFY2(spot.fontPixels >= leastFont, qPrintable(QString::number(spot.fontPixels)));
        QVERIFY(spot.fontPixels <= QFontInfo(w->textBox()->font()).pixelSize());

        finish("x^3+9x^2+26x+24");
        QTest::mouseDClick(w->engineBox(), Qt::LeftButton);
        QCOMPARE(h->launcher.lastSpot.fontPixels, w->terminalSpot().fontPixels);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
