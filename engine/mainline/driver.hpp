#pragma once
#include "state/engine.hpp"

namespace yinshi {

// The stages of the decomposition driver. Each returns where the run goes next.
At StartUp(Engine& e);
At Restart(Engine& e);
At Reorder(Engine& e);
At SearchStart(Engine& e);
At SearchResume(Engine& e);
At BoundClamp(Engine& e);
At NextDegree(Engine& e);
At FactorReport(Engine& e);
At AfterFactor(Engine& e);
At SearchEnd(Engine& e);
At AskAnew(Engine& e);
At Finish(Engine& e);
At CloseTranscript(Engine& e);
At CloseWithoutMarks(Engine& e);
At ShowResults(Engine& e);
At AskAnother(Engine& e);
At CloseAll(Engine& e);
At EndPrompt(Engine& e);
// Says which file could not be read or written, closes the files and ends the run.
At FileProblem(Engine& e);
// The message pair for a file that could not be read or written.
void TellFileFault(Engine& e, const FileFault& fault);

// Runs one stage.
At RunStage(Engine& e, At at);
// The whole run, from the title to the end prompt.
void RunEngine(Engine& e);
// RunEngine, with a failure that escapes it told on the screen before the end
// prompt; the process's exit status: 0, or 1 after such a failure.
int RunEngineReportingFailure(Engine& e);

// Writes a line to row 25 and puts the print position of rows 1-24 back.
void PrintStatus(Engine& e, int col, std::string_view text);

}  // namespace yinshi
