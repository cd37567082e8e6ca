#pragma once
// The line printer on a real printer, or on a PDF in the current folder when there is none.
#include <QPainter>
#include <QPrinterInfo>
#include <QString>
#include <functional>
#include <memory>

#include "line_printer.hpp"

class QPrinter;

namespace yinshi::frontend {

class QtLinePrinter : public LinePrinter {
 public:
  using PrinterLookup = std::function<QPrinterInfo()>;
  explicit QtLinePrinter(PrinterLookup lookup = &QPrinterInfo::defaultPrinter);
  // A job left open is completed when the program ends.
  ~QtLinePrinter() override;

  JobStart OpenJob() override;
  void PrintLine(std::string_view utf8) override;
  std::optional<std::string> EndJob() override;
  bool JobOpen() const override;

  // The PDF the open job goes to; empty when it goes to a printer.
  QString pdfPath() const { return pdfPath_; }

 private:
  PrinterLookup lookup_;
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  QString pdfPath_;
  int y_ = 0;
};

inline constexpr const char* kPdfName = "jg.pdf";

}  // namespace yinshi::frontend
