#include "mainline/stage.hpp"

namespace yinshi {

const char* StageName(At at) {
    switch (at) {
        case At::Restart: return "Restart";
        case At::Reorder: return "Reorder";
        case At::SearchStart: return "SearchStart";
        case At::SearchResume: return "SearchResume";
        case At::BoundClamp: return "BoundClamp";
        case At::NextDegree: return "NextDegree";
        case At::FactorReport: return "FactorReport";
        case At::AfterFactor: return "AfterFactor";
        case At::SearchEnd: return "SearchEnd";
        case At::AskAnew: return "AskAnew";
        case At::Finish: return "Finish";
        case At::CloseTranscript: return "CloseTranscript";
        case At::ShowResults: return "ShowResults";
        case At::AskAnother: return "AskAnother";
        case At::CloseAll: return "CloseAll";
        case At::EndPrompt: return "EndPrompt";
        case At::Exit: return "Exit";
    }
    return "?";
}

}  // namespace yinshi
