#include "print_command.hpp"

#include "echo_match.hpp"
#include "print_format.hpp"
#include "transcript_file.hpp"

namespace yinshi::frontend {
namespace {

// The command's texts in the window's language.
struct Words {
    const Dialogs& dialogs;
    std::string title() const { return dialogs.Translate("Dialogs", kNoticeTitle); }
    std::string operator()(const char* text) const { return dialogs.Translate("PrintCommand", text); }
};

// The transcript may be printed: it is there, and it is of the polynomial handed off, or the
// user wants it all the same.
bool TranscriptWanted(const TranscriptRead& transcript, Dialogs& dialogs, std::string_view handedOff) {
    const Words say{dialogs};
    const std::string title = say.title();
    if (transcript.error) {
        dialogs.Tell(title,
                     transcript.missing ? say(kNoTranscript) : FillIn(say(kUnreadableTranscript), {*transcript.error}));
        return false;
    }
    if (handedOff.empty()) return true;
    std::string echo = transcript.lines.empty() ? std::string() : transcript.lines.front();
    if (EchoIsOf(echo, handedOff)) return true;
    echo.erase(0, echo.find_first_not_of(' '));
    echo.erase(echo.find_last_not_of(' ') + 1);
    return dialogs.AskYesNo(title, echo.empty() ? FillIn(say(kEmptyTranscript), {handedOff})
                                                : FillIn(say(kStaleTranscript), {handedOff, echo}));
}

}  // namespace

void RunPrintCommand(const std::filesystem::path& folder, Dialogs& dialogs, LinePrinter& printer,
                     std::string_view handedOff) {
    const Words say{dialogs};
    const std::string title = say.title();

    // Read the whole transcript first: what is wrong with it is said before the printer is
    // asked about, and a missing file leaves no stray empty line in a job that later commands
    // will add to.
    const TranscriptRead transcript = ReadTranscript(folder / kTranscriptName);
    if (!TranscriptWanted(transcript, dialogs, handedOff)) return;

    // Without a printer there is nothing to ask about: the pages go to a file, which is named.
    const bool toPrinter = printer.JobOpen() || printer.HasPrinter();
    if (toPrinter && !dialogs.AskYesNo(title, say(kAskPrinterReady))) return;

    const JobStart job = printer.OpenJob();
    if (!job.ok) {
        dialogs.Tell(title, FillIn(say(kCannotPrint), {job.message}));
        return;
    }
    for (const std::string& line : TranscriptPrintLines(transcript.lines)) printer.PrintLine(line);

    if (!toPrinter || dialogs.AskYesNo(title, say(kAskPrintNow))) {
        const JobEnd end = printer.EndJob();
        if (!end.ok)
            dialogs.Tell(title, FillIn(say(kPrintFailed), {end.message}));
        else if (!end.file.empty())
            dialogs.ShowFile(title, end.message, end.file);
        else if (!end.message.empty())
            dialogs.Tell(title, end.message);
    }
}

}  // namespace yinshi::frontend
