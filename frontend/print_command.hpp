#pragma once
// The main window's print command: the engine's transcript onto the printer.
#include <filesystem>
#include <string_view>

#include "dialogs.hpp"
#include "line_printer.hpp"

namespace yinshi::frontend {

inline constexpr const char* kAskPrinterReady = YINSHI_TEXT("PrintCommand", "打印机准备就绪?");
inline constexpr const char* kAskPrintNow = YINSHI_TEXT("PrintCommand", "马上要印件吗？");
inline constexpr const char* kNoTranscript =
    YINSHI_TEXT("PrintCommand", "还没有结果文件 jg.dat。请先双击图框运行分解程序。");
inline constexpr const char* kUnreadableTranscript = YINSHI_TEXT("PrintCommand", "无法读取结果文件 jg.dat：%1");
inline constexpr const char* kStaleTranscript =
    YINSHI_TEXT("PrintCommand", "结果文件 jg.dat 不是最后输入的多项式 %1 的结果，而是 %2 的结果。\n仍然打印吗？");
inline constexpr const char* kEmptyTranscript =
    YINSHI_TEXT("PrintCommand", "结果文件 jg.dat 是空的，不是最后输入的多项式 %1 的结果。\n仍然打印吗？");
inline constexpr const char* kCannotPrint = YINSHI_TEXT("PrintCommand", "无法打印：%1");
inline constexpr const char* kPrintFailed = YINSHI_TEXT("PrintCommand", "打印失败：%1");

// Prints jg.dat of `folder`. Before anything is asked about the printer: a missing or unreadable
// transcript is told (and nothing printed), and a transcript whose first line is not the echo
// of `handedOff` (the text last written to DXS.DAT; empty: not known) is named and the user
// asked whether to print it anyway. Then the two printer questions; with no printer there are
// none, the pages go to a file and a notice names it (with a way to open it) once it is
// complete.
void RunPrintCommand(const std::filesystem::path& folder, Dialogs& dialogs, LinePrinter& printer,
                     std::string_view handedOff = {});

}  // namespace yinshi::frontend
