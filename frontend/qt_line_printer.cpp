#include "qt_line_printer.hpp"

#include <QDir>
#include <QPrinter>

#include "fonts.hpp"

namespace yinshi::frontend {

QtLinePrinter::QtLinePrinter(PrinterLookup lookup) : lookup_(std::move(lookup)) {}

QtLinePrinter::~QtLinePrinter() {
  if (JobOpen()) EndJob();
}

bool QtLinePrinter::JobOpen() const { return painter_.isActive(); }

JobStart QtLinePrinter::OpenJob() {
  if (JobOpen()) return {true, {}};
  JobStart start;
  const QPrinterInfo info = lookup_();
  if (info.isNull()) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdfPath_ = QDir::current().absoluteFilePath(kPdfName);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfPath_);
    start.message = QString("没有安装打印机。打印内容写入文件：%1").arg(pdfPath_).toStdString();
  } else {
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    pdfPath_.clear();
  }
  printer_->setDocName(kPdfName);
  if (!painter_.begin(printer_.get())) {
    start.message = pdfPath_.isEmpty()
                        ? QString("打印机 %1 无法使用。").arg(info.printerName()).toStdString()
                        : QString("无法写入文件：%1").arg(pdfPath_).toStdString();
    printer_.reset();
    pdfPath_.clear();
    return start;
  }
  // The printer's own default size; only the face is chosen.
  QFont font = SansFont(QFont().pointSizeF());
  painter_.setFont(QFont(font, painter_.device()));
  y_ = 0;
  start.ok = true;
  return start;
}

void QtLinePrinter::PrintLine(std::string_view utf8) {
  if (!JobOpen()) return;
  const QFontMetrics metrics = painter_.fontMetrics();
  if (y_ > 0 && y_ + metrics.lineSpacing() > printer_->height()) {
    printer_->newPage();
    y_ = 0;
  }
  painter_.drawText(0, y_ + metrics.ascent(),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  y_ += metrics.lineSpacing();
}

std::optional<std::string> QtLinePrinter::EndJob() {
  if (!JobOpen()) return std::nullopt;
  const bool ended = painter_.end();
  const bool failed = !ended || printer_->printerState() == QPrinter::Error;
  const QString where = pdfPath_;
  printer_.reset();
  if (failed)
    return where.isEmpty() ? std::string("打印机报告错误。")
                           : QString("无法写入文件：%1").arg(where).toStdString();
  return std::nullopt;
}

}  // namespace yinshi::frontend
