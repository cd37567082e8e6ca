#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app_setup.hpp"
#include "cover_window.hpp"
#include "engine_box.hpp"
#include "help_window.hpp"
#include "message_area.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

namespace {

bool HasChinese(const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
    }
    return false;
}

}  // namespace

// The program as a reader without Chinese gets it: run with LANG=en_US.UTF-8.
class EnglishWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<CoverWindow> cover;
    MainWindow* w = nullptr;

    // Every text a window shows that is not Chinese-free, and every caption too wide for its button.
    QStringList untranslated(QWidget* window) const {
        QStringList bad;
        if (HasChinese(window->windowTitle())) bad << "title: " + window->windowTitle();
        for (auto* b : window->findChildren<QPushButton*>()) {
            if (HasChinese(b->text())) bad << b->objectName() + ": " + b->text();
            if (QFontMetrics(b->font()).horizontalAdvance(b->text()) + 8 > b->width())
                bad << b->objectName() + " too narrow for " + b->text();
        }
        for (auto* l : window->findChildren<QLabel*>())
            if (HasChinese(l->text())) bad << l->objectName() + ": " + l->text();
        return bad;
    }

private slots:
    void initTestCase() {
        QCOMPARE(MessagesLocaleName(), QString("en_US.UTF-8"));
        QCOMPARE(LanguageOf(MessagesLocaleName()), Language::English);
        QVERIFY(InstallTranslations(*QCoreApplication::instance(), Language::English));
    }
    void init() {
        h = std::make_unique<WindowHarness>();
        cover = std::make_unique<CoverWindow>([this] { return h->make(); }, [] {});
        cover->showFilling();
        QVERIFY(QTest::qWaitForWindowExposed(cover.get()));
        cover->goOnButton()->click();
        w = cover->mainWindow();
    }
    void cleanup() {
        cover.reset();
        h.reset();
    }

    void languageFollowsTheLocale() {
        for (const char* name : {"", "C", "POSIX", "C.UTF-8", "zh_CN.UTF-8", "zh_TW", "zh_CN.GB2312"})
            QCOMPARE(LanguageOf(name), Language::Chinese);
        for (const char* name : {"en_US.UTF-8", "de_DE.UTF-8", "fr_FR@euro", "ja_JP.UTF-8"})
            QCOMPARE(LanguageOf(name), Language::English);
    }

    void everyCaptionIsInEnglish() {
        QCOMPARE(cover->windowTitle(), QString("Yinshi — polynomial factoring"));
        QCOMPARE(cover->goOnButton()->text(), QString("Start"));
        QCOMPARE(untranslated(cover.get()), QStringList());

        QCOMPARE(w->windowTitle(), QString("Yinshi — factoring polynomials in one or more variables"));
        QCOMPARE(w->finishedButton()->text(), QString("Done"));
        QCOMPARE(untranslated(w), QStringList());
        QVERIFY(!HasChinese(w->engineBox()->label()));
        w->textBox()->setText("2*x");
        w->finishedButton()->click();
        QCOMPARE(w->messageArea()->lines(),
                 QStringList({"2*x", "Input error!",
                              "Character 2, “*”, is a multiplication sign: leave it out and write numbers before "
                              "letters, as in 2xy."}));

        w->helpButton()->click();
        HelpWindow* help = w->helpWindow();
        QCOMPARE(help->windowTitle(), QString("Help — Yinshi"));
        QCOMPARE(untranslated(help), QStringList());
        const QStringList page = help->pageLines();
        QVERIFY(page.size() > 20);
        for (const QString& line : page) QVERIFY2(!HasChinese(line), qPrintable(line));
        QVERIFY(page.join(' ').contains("\"New input\"") && page.join(' ').contains("\"Done\""));
    }

    void printMessagesAreInEnglish() {
        w->textBox()->setText("x^2-1");
        w->finishedButton()->click();
        w->printButton()->click();
        h->folder.dir.write("jg.dat", "x^ 2- 4 \r\n");
        h->dialogs.answers = {false};
        w->printButton()->click();
        QCOMPARE(
            h->dialogs.log,
            (std::vector<std::string>{
                "!Note|There is no result file jg.dat yet. Double-click the box to run the factoring engine first.",
                "?Note|The result file jg.dat is not for x^2-1, the polynomial entered last, but for x^ 2- 4.\n"
                "Print it anyway?"}));
    }

    void everyTextHasItsTranslation() {
        QFile ts(YINSHI_TS_FILE);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray xml = ts.readAll();
        QVERIFY(xml.count("<message>") > 30);
        QVERIFY(!xml.contains("type=\"unfinished\""));
        QVERIFY(!xml.contains("type=\"vanished\"") && !xml.contains("type=\"obsolete\""));
    }
};

QTEST_MAIN(EnglishWindowTest)
#include "english_window_test.moc"
