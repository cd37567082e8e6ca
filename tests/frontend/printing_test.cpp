#include <sys/stat.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "print_command.hpp"
#include "qt_line_printer.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

namespace {

QString PdfText(const QString& pdf, const QStringList& options = {"-layout"}) {
    QProcess p;
    p.start("pdftotext", options + QStringList{pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray Bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QPrinterInfo NoPrinter() { return QPrinterInfo(); }

// The user, who opens every PDF a notice names the moment the notice appears.
class PdfReadingDialogs : public FakeDialogs {
public:
    QString pdf;
    QStringList readAtNotice;
    void Tell(std::string_view title, std::string_view text) override {
        FakeDialogs::Tell(title, text);
        if (QString::fromStdString(std::string(text)).contains(pdf)) readAtNotice << PdfText(pdf);
    }
};

}  // namespace

// Without a printer installed the pages go to jg.pdf, which pdftotext reads back.
class PrintingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WorkingFolder> folder;
    QString pdf() const { return folder->path() + "/jg.pdf"; }
    QStringList strayFiles() const {
        QStringList found;
        for (QDirIterator it(folder->path(), {".jg-*"}, QDir::Files | QDir::Hidden); it.hasNext();) found << it.next();
        return found;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    }
    void init() { folder = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder.reset(); }

    // No printer, no questions: each print command writes jg.pdf and names it once, complete.
    void withoutPrinterThePdfIsWrittenAndNamedOnce() {
        folder->dir.write("jg.dat", "x^3+9x^2+26x+24\r\n\r\n=(x+2)(x+3)(x+4)\r\n");
        QtLinePrinter printer(NoPrinter);
        PdfReadingDialogs dialogs;
        dialogs.pdf = pdf();
        RunPrintCommand(folder->dir.path(), dialogs, printer);
        const std::string notice = "!注意|没有安装打印机，打印内容已写入文件：" + pdf().toStdString();
        QCOMPARE(dialogs.log, std::vector<std::string>{notice});
        QCOMPARE(dialogs.shownFiles, std::vector<std::string>{pdf().toStdString()});
        QVERIFY(!printer.JobOpen());
        folder->dir.write("jg.dat", "x^2-1\r\n因式\r\n");
        RunPrintCommand(folder->dir.path(), dialogs, printer);
        QCOMPARE(dialogs.log, std::vector<std::string>({notice, notice}));
        QCOMPARE(dialogs.readAtNotice.size(), 2);
        for (const char* w : {"x^3+9x^2+26x+24", "=(x+2)(x+3)(x+4)"})
            QVERIFY2(dialogs.readAtNotice[0].contains(w), qPrintable(QString(w) + "\n" + dialogs.readAtNotice[0]));
        const QString second = dialogs.readAtNotice[1];
        QVERIFY2(second.contains("x^2-1") && second.contains("因式") && !second.contains("x^3"), qPrintable(second));
        QCOMPARE(strayFiles(), QStringList());
        // Latin text in a Latin face, Chinese in a CJK one.
        QProcess fonts;
        fonts.start("pdffonts", {pdf()});
        fonts.waitForFinished(30000);
        const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(listed.contains("DejaVuSans") && listed.contains("WenQuanYi"), qPrintable(listed));
    }

    void aGoodPdfIsNeverReplacedByAnUnfinishedOne() {
        folder->dir.write("jg.dat", "alpha\r\n");
        FakeDialogs dialogs;
        {
            QtLinePrinter printer(NoPrinter);
            RunPrintCommand(folder->dir.path(), dialogs, printer);  // jg.pdf is written
            const QByteArray good = Bytes(pdf());
            QVERIFY(PdfText(pdf()).contains("alpha"));
            QVERIFY(printer.OpenJob().ok);  // a job left open, as by a printer's "not now"
            printer.PrintLine("omega");
            QCOMPARE(Bytes(pdf()), good);
            QCOMPARE(strayFiles().size(), 1);  // the open job writes a file of its own
        }                                      // the program ends: the open job is completed
        QVERIFY(PdfText(pdf()).contains("omega"));
        QCOMPARE(strayFiles(), QStringList());
    }

    void openJobIsCompletedAtTheEnd() {
        {
            QtLinePrinter printer(NoPrinter);
            QVERIFY(printer.OpenJob().ok);
            for (int i = 1; i <= 150; ++i) printer.PrintLine("line " + std::to_string(i));
        }
        const QString text = PdfText(pdf());
        QVERIFY(text.contains("line 1\n") && text.contains("line 150"));
        QVERIFY2(text.contains('\f'), "150 lines break onto a second page");
    }

    void textKeepsItsDistanceFromThePaperEdge() {
        {
            QtLinePrinter printer(NoPrinter);
            QVERIFY(printer.OpenJob().ok);
            // Transcript lines of the full 80 characters.
            std::string line = "=";
            while (line.size() < 80) line += "(x^ 2 + 26 x - 24 )";
            line.resize(80);
            for (int i = 1; i <= 150; ++i) printer.PrintLine(line);
        }
        const QString boxes = PdfText(pdf(), {"-bbox"});
        const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
        const auto size = page.match(boxes);
        QVERIFY(size.hasMatch());
        const double width = size.captured(1).toDouble(), height = size.captured(2).toDouble();
        const double least = 15 / 25.4 * 72;  // 15 mm in points
        const QRegularExpression word(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
        int words = 0;
        for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
            const auto m = it.next();
            QVERIFY(m.captured(1).toDouble() >= least && m.captured(2).toDouble() >= least);
            QVERIFY(m.captured(3).toDouble() <= width - least && m.captured(4).toDouble() <= height - least);
        }
        QVERIFY(words >= 150);
    }

    void unwritablePdfIsReported() {
        QDir().mkdir("jg.pdf");
        QtLinePrinter printer(NoPrinter);
        QVERIFY(printer.OpenJob().ok);
        printer.PrintLine("x");
        const JobEnd end = printer.EndJob();
        QVERIFY(!end.ok);
        QVERIFY(QString::fromStdString(end.message).contains(pdf()));
        QVERIFY(!printer.JobOpen());
        QCOMPARE(strayFiles(), QStringList());
    }

    void aPdfNameThatHoldsALinkOrAFifoIsLeftAlone() {
        QFile outside(folder->path() + "/outside.txt");
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.write("keep");
        outside.close();
        for (const bool link : {true, false}) {
            QFile::remove(pdf());
            QVERIFY(link ? QFile::link(outside.fileName(), pdf()) : ::mkfifo(qPrintable(pdf()), 0644) == 0);
            QtLinePrinter printer(NoPrinter);
            QVERIFY(printer.OpenJob().ok);
            printer.PrintLine("x");
            const JobEnd end = printer.EndJob();
            QVERIFY(!end.ok);
            QVERIFY(QString::fromStdString(end.message).contains(pdf()));
            QCOMPARE(QFileInfo(pdf()).isSymLink(), link);
            QCOMPARE(strayFiles(), QStringList());
        }
        QCOMPARE(Bytes(outside.fileName()), QByteArray("keep"));
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
