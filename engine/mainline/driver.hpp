#pragma once
#include "state/engine.hpp"

namespace yinshi {

// The stages of the decomposition driver. Each returns where the run goes next.
At StartUp(Engine& e);
Step Restart(Engine& e);
Step Reorder(Engine& e);
Step SearchStart(Engine& e);
Step SearchResume(Engine& e);
Step BoundClamp(Engine& e);
Step NextDegree(Engine& e);
// Shows the factor split off and the cofactor, and goes on with the cofactor.
Step FactorReport(Engine& e, const FoundSplit& split);
// `splitOff`: the factor report came before; else the search kept a candidate.
At AfterFactor(Engine& e, bool splitOff);
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
Step RunStage(Engine& e, const Step& step);
// The whole run, from the title to the end prompt.
void RunEngine(Engine& e);
// RunEngine, with a failure that escapes it told on the screen before the end
// prompt; the process's exit status: 0, or 1 after such a failure.
int RunEngineReportingFailure(Engine& e);

}  // namespace yinshi
