#include <QProcess>
#include <QStandardPaths>

#include "print_command.hpp"
#include "qt_line_printer.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

namespace {

QString PdfText(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QPrinterInfo NoPrinter() { return QPrinterInfo(); }

}  // namespace

// Without a printer installed the pages go to jg.pdf, which pdftotext reads back.
class PrintingTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WorkingFolder> folder;
  QString pdf() const { return folder->path() + "/jg.pdf"; }

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
  }
  void init() { folder = std::make_unique<WorkingFolder>(); }
  void cleanup() { folder.reset(); }

  void printCommandsShareOneJobIntoPdf() {
    folder->dir.write("jg.dat", "x^3+9x^2+26x+24\r\n\r\n=(x+2)(x+3)(x+4)\r\n");
    QtLinePrinter printer(NoPrinter);
    FakeDialogs dialogs;
    dialogs.answers = {true, false};  // keep the job open
    RunPrintCommand(folder->dir.path(), dialogs, printer);
    QCOMPARE(dialogs.told, std::vector<std::string>{"注意|没有安装打印机。打印内容写入文件：" + pdf().toStdString()});
    folder->dir.write("jg.dat", "x^2-1\r\n因式\r\n");
    dialogs.answers = {true, true};
    RunPrintCommand(folder->dir.path(), dialogs, printer);
    QCOMPARE(dialogs.told.size(), size_t(1));  // the same job: no second notice
    QVERIFY(!printer.JobOpen());
    const QString text = PdfText(pdf());
    const QStringList wanted{"x^3+9x^2+26x+24", "=(x+2)(x+3)(x+4)", "x^2-1", "因式"};
    qsizetype at = 0;
    for (const QString& w : wanted) {
      at = text.indexOf(w, at);
      QVERIFY2(at >= 0, qPrintable("missing or out of order: " + w + "\n" + text));
    }
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

  void unwritablePdfIsReported() {
    QDir().mkdir("jg.pdf");
    QtLinePrinter printer(NoPrinter);
    const JobStart start = printer.OpenJob();
    QVERIFY(!start.ok);
    QVERIFY(QString::fromStdString(start.message).contains(pdf()));
    QVERIFY(!printer.JobOpen());
  }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
