#include "qt_line_printer.hpp"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>
#include <filesystem>

#include "fonts.hpp"
#include "regular_file.hpp"

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
        pdfPath_ = QDir::current().absoluteFilePath(kPdfName);
        // A new file of its own, in the same folder so that completing it is a rename.
        QTemporaryFile partial(QDir::current().absoluteFilePath(".jg-XXXXXX.pdf"));
        partial.setAutoRemove(false);
        if (!partial.open()) {
            start.message = tr("无法写入文件：%1").arg(pdfPath_).toStdString();
            pdfPath_.clear();
            return start;
        }
        partialPath_ = partial.fileName();
        partial.close();
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(partialPath_);
    } else {
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        pdfPath_.clear();
        partialPath_.clear();
    }
    printer_->setDocName(kPdfName);
    printer_->setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                             QPageLayout::Millimeter);
    if (!painter_.begin(printer_.get())) {
        start.message = pdfPath_.isEmpty() ? tr("打印机 %1 无法使用。").arg(info.printerName()).toStdString()
                                           : tr("无法写入文件：%1").arg(pdfPath_).toStdString();
        printer_.reset();
        if (!partialPath_.isEmpty()) QFile::remove(partialPath_);
        pdfPath_.clear();
        partialPath_.clear();
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
    painter_.drawText(0, y_ + metrics.ascent(), QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    y_ += metrics.lineSpacing();
}

JobEnd QtLinePrinter::EndJob() {
    if (!JobOpen()) return {};
    const bool ended = painter_.end();
    bool failed = !ended || printer_->printerState() == QPrinter::Error;
    printer_.reset();
    const QString pdf = pdfPath_, partial = partialPath_;
    pdfPath_.clear();
    partialPath_.clear();
    if (pdf.isEmpty()) return failed ? JobEnd{false, tr("打印机报告错误。").toStdString(), {}} : JobEnd{};

    // A link, a FIFO or a device named jg.pdf is not the old PDF: it stays as it is.
    if (!failed && HoldsOtherThanAFile(pdf.toStdString())) failed = true;
    if (!failed) {
        // rename() puts the complete PDF in place of the old one in one step.
        std::error_code ec;
        std::filesystem::rename(partial.toStdString(), pdf.toStdString(), ec);
        failed = static_cast<bool>(ec);
    }
    if (failed) {
        QFile::remove(partial);
        return {false, tr("无法写入文件：%1").arg(pdf).toStdString(), {}};
    }
    return {true, tr("没有安装打印机，打印内容已写入文件：%1").arg(pdf).toStdString(), pdf.toStdString()};
}

}  // namespace yinshi::frontend
