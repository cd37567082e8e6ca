#pragma once
// The line printer on a real printer, or on a PDF in the current folder when there is none.
#include <QCoreApplication>
#include <QPainter>
#include <QPrinterInfo>
#include <QString>
#include <functional>
#include <memory>

#include "line_printer.hpp"

class QPrinter;

namespace yinshi::frontend {

class QtLinePrinter : public LinePrinter {
    Q_DECLARE_TR_FUNCTIONS(QtLinePrinter)

public:
    using PrinterLookup = std::function<QPrinterInfo()>;
    explicit QtLinePrinter(PrinterLookup lookup = &QPrinterInfo::defaultPrinter);
    // A job left open is completed when the program ends.
    ~QtLinePrinter() override;

    JobStart OpenJob() override;
    void PrintLine(std::string_view utf8) override;
    // A PDF job's pages go to a new file beside jg.pdf while the job is open; they replace
    // jg.pdf only once the PDF is complete, so jg.pdf is never a half-written or empty file.
    JobEnd EndJob() override;
    bool JobOpen() const override;
    bool HasPrinter() const override { return !lookup_().isNull(); }

    // The PDF the open job will become; empty when it goes to a printer.
    QString pdfPath() const { return pdfPath_; }
    // The file the open PDF job is being written to.
    QString partialPdfPath() const { return partialPath_; }

private:
    PrinterLookup lookup_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QString pdfPath_, partialPath_;
    int y_ = 0;
};

inline constexpr const char* kPdfName = "jg.pdf";
// The blank border of every page: real printers cannot print right up to the paper's edge.
inline constexpr qreal kPageMarginMm = 20;

}  // namespace yinshi::frontend
