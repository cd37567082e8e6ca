#pragma once
#include <optional>

namespace yinshi {

// The named stages of the main line. A run loops over them until Exit,
// which only EndPrompt hands back.
enum class At {
    Restart,
    Reorder,
    SearchStart,
    SearchResume,
    BoundClamp,
    NextDegree,
    FactorReport,
    AfterFactor,
    SearchEnd,
    AskAnew,
    Finish,
    CloseTranscript,
    ShowResults,
    AskAnother,
    CloseAll,
    EndPrompt,
    Exit,
    // A file that could not be read or written: said, then the end prompt.
    FileProblem,
    // The closing of a transcript that takes no end marks: an Eisenstein
    // prime has shown the polynomial irreducible.
    CloseWithoutMarks,
};

// What a routine that may leave the main line hands back: nothing when it
// simply returned to its caller, otherwise the stage to continue at.
using Next = std::optional<At>;

}  // namespace yinshi
