#pragma once
// The main window's print command: the engine's transcript onto the printer.
#include <filesystem>

#include "dialogs.hpp"
#include "line_printer.hpp"

namespace yinshi::frontend {

inline constexpr const char* kAskPrinterReady = "打印机准备就续?";
inline constexpr const char* kAskPrintNow = "马上要印件吗？";

// Prints jg.dat of `folder`. Nothing is printed when the user declines, when the transcript
// cannot be read or when no job can be started; each of these but the first is told to the user.
void RunPrintCommand(const std::filesystem::path& folder, Dialogs& dialogs, LinePrinter& printer);

}  // namespace yinshi::frontend
