#include "mainline/driver.hpp"

namespace yinshi {

At RunStage(Engine& e, At at) {
    switch (at) {
        case At::Restart: return Restart(e);
        case At::Reorder: return Reorder(e);
        case At::SearchStart: return SearchStart(e);
        case At::SearchResume: return SearchResume(e);
        case At::BoundClamp: return BoundClamp(e);
        case At::NextDegree: return NextDegree(e);
        case At::FactorReport: return FactorReport(e);
        case At::AfterFactor: return AfterFactor(e);
        case At::SearchEnd: return SearchEnd(e);
        case At::AskAnew: return AskAnew(e);
        case At::Finish: return Finish(e);
        case At::CloseTranscript: return CloseTranscript(e);
        case At::ShowResults: return ShowResults(e);
        case At::AskAnother: return AskAnother(e);
        case At::CloseAll: return CloseAll(e);
        case At::EndPrompt: return EndPrompt(e);
        case At::Exit: return At::Exit;
    }
    return At::Exit;
}

void RunEngine(Engine& e) {
    for (At at = StartUp(e); at != At::Exit; at = RunStage(e, at)) {
    }
}

void PrintStatus(Engine& e, int col, std::string_view text) {
    auto pos = e.screen.Cursor();
    e.screen.Locate(25, col);
    e.screen.Print(text);
    e.screen.Locate(pos);
}

}  // namespace yinshi
