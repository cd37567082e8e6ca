#include "print_command.hpp"

#include "print_format.hpp"
#include "transcript_file.hpp"

namespace yinshi::frontend {

void RunPrintCommand(const std::filesystem::path& folder, Dialogs& dialogs, LinePrinter& printer) {
  if (!dialogs.AskYesNo(kNoticeTitle, kAskPrinterReady)) return;

  // Read the whole transcript before touching the job, so that a missing file leaves no stray
  // empty line in a job that later commands will add to.
  const TranscriptRead transcript = ReadTranscript(folder / kTranscriptName);
  if (transcript.error) {
    dialogs.Tell(kNoticeTitle, "无法读取结果文件 jg.dat：" + *transcript.error +
                                   "\n请先双击图框运行分解程序。");
    return;
  }

  const JobStart job = printer.OpenJob();
  if (!job.ok) {
    dialogs.Tell(kNoticeTitle, "无法打印：" + job.message);
    return;
  }
  if (!job.message.empty()) dialogs.Tell(kNoticeTitle, job.message);

  for (const std::string& line : TranscriptPrintLines(transcript.lines)) printer.PrintLine(line);

  if (dialogs.AskYesNo(kNoticeTitle, kAskPrintNow)) {
    if (auto failure = printer.EndJob()) dialogs.Tell(kNoticeTitle, "打印失败：" + *failure);
  }
}

}  // namespace yinshi::frontend
