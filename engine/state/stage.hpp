#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

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

// A factor the search split off the polynomial it walked: the factor
// Factor(0..Found) times the cofactor Cofactor(0..CofactorDeg), ascending
// powers, the factor taking Shift of the main variable's lowest power
// (LowExp) and the cofactor the rest; CofactorHighest is the cofactor's
// highest exponent of each letter (by letter number, from 1).
struct FoundSplit {
    std::vector<float> Factor;
    std::vector<float> Cofactor;
    std::int32_t Found = 0;
    std::int32_t CofactorDeg = 0;
    std::int32_t Shift = 0;
    std::array<float, 8> CofactorHighest{};
};

// Where the run goes next and, from the search to the factor report and from
// there to the stage after it, the split that was found.
struct Step {
    // Not explicit: most stages hand over nothing and return just the stage.
    Step(At stage) : Stage(stage) {}
    Step(At stage, FoundSplit split) : Stage(stage), Split(split) {}
    At Stage;
    std::optional<FoundSplit> Split;
};

}  // namespace yinshi
