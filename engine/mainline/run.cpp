#include "mainline/driver.hpp"

#include <exception>
#include <string>

namespace yinshi {

Step RunStage(Engine& e, const Step& step) {
    switch (step.Stage) {
        case At::Restart: return Restart(e);
        case At::Reorder: return Reorder(e);
        case At::SearchStart: return SearchStart(e);
        case At::SearchResume: return SearchResume(e);
        case At::BoundClamp: return BoundClamp(e);
        case At::NextDegree: return NextDegree(e);
        case At::FactorReport: return FactorReport(e, step.Split.value());
        case At::AfterFactor: return AfterFactor(e, step.Split.has_value());
        case At::SearchEnd: return SearchEnd(e);
        case At::AskAnew: return AskAnew(e);
        case At::Finish: return Finish(e);
        case At::CloseTranscript: return CloseTranscript(e);
        case At::CloseWithoutMarks: return CloseWithoutMarks(e);
        case At::ShowResults: return ShowResults(e);
        case At::AskAnother: return AskAnother(e);
        case At::CloseAll: return CloseAll(e);
        case At::FileProblem: return FileProblem(e);
        case At::EndPrompt: return EndPrompt(e);
        case At::Exit: return At::Exit;
    }
    return At::Exit;
}

namespace {

// A file that failed during a stage ends the run before the next one can
// build on it; only the end prompt still follows. The transcript's open line
// goes to disk here too, so a run killed during a search loses none of it.
Step UnlessAFileFailed(Engine& e, Step next) {
    e.jg.Flush();
    if (!e.jg.Good()) e.FileFailed(e.run.ResultFile, true);
    if (!e.dj.Good()) e.FileFailed("dj.dat", true);
    const At at = next.Stage;
    if (!e.fault || at == At::FileProblem || at == At::EndPrompt || at == At::Exit) return next;
    return At::FileProblem;
}

}  // namespace

void RunEngine(Engine& e) {
    for (Step step = UnlessAFileFailed(e, StartUp(e)); step.Stage != At::Exit;
         step = UnlessAFileFailed(e, RunStage(e, step))) {
    }
}

int RunEngineReportingFailure(Engine& e) {
    try {
        RunEngine(e);
        return 0;
    } catch (const std::exception& ex) {
        // Nothing is left to save; the user still reads why the run ended.
        e.PrintLine("程序出错了!");
        e.PrintLine(std::string("The engine failed: ") + ex.what());
    } catch (...) {
        e.PrintLine("程序出错了!");
        e.PrintLine("The engine failed.");
    }
    EndPrompt(e);
    return 1;
}

}  // namespace yinshi
