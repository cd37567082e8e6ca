#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "exact/factorer.hpp"
#include "platform/whole_numbers.hpp"
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// A two-dimensional float table indexed (row, column) from 0, as the term
// exponents and the further-solutions tables are.
class FloatGrid {
public:
    FloatGrid() = default;
    FloatGrid(int rows, int cols) { Resize(rows, cols); }
    // Sized 0..lastRow by 0..lastCol; the old contents are discarded.
    void Resize(int lastRow, int lastCol) {
        rows_ = lastRow + 1;
        cols_ = lastCol + 1;
        cells_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), 0.0f);
    }
    float& operator()(int r, int c) { return cells_.at(Index(r, c)); }
    float operator()(int r, int c) const { return cells_.at(Index(r, c)); }
    int Rows() const { return rows_; }
    int Cols() const { return cols_; }

private:
    std::size_t Index(int r, int c) const {
        if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return cells_.size();  // makes at() throw
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c);
    }
    int rows_ = 0;
    int cols_ = 0;
    std::vector<float> cells_;
};

constexpr int kMaxVars = 7;
constexpr int kMaxTerms = 20;
constexpr float kCoefLimit = 9999999.0f;
// The same limit for exact integer work.
constexpr std::int64_t kCoefLimitWhole = 9999999;

// The polynomial as read: a sparse table of terms (counted from 1).
struct TermTable {
    std::int32_t TermCount = 0;
    std::vector<float> TermCoef;     // 0..30 at start-up
    std::vector<float> TermDen;      // 0..30
    std::vector<float> TermMainExp;  // 0..30
    FloatGrid TermExp;               // (0..30, 0..7)
    int MaxTerms = 0;                // term-array bound; the dense printer's term count
};

// The variable letters and per-variable tables (index 1..VarCount).
struct VarTable {
    std::int32_t VarCount = 0;
    std::int32_t ParsedVarCount = 0;
    std::array<std::string, 8> VarName{};
    std::array<std::string, 8> VarNameParsed{};
    std::array<float, 8> VarMinExp{};
    std::array<float, 8> VarMaxExp{};
    std::array<float, 8> VarMaxExpKeep{};
    std::vector<float> VarOrder;  // letter numbers of the current order, 1..VarCount
    // Weights of the chosen order, per variable of the current order: an image
    // power p is the sum of VarWeight(j) * exponent(j). VarWeight(1) = 1.
    std::array<std::int32_t, 8> VarWeight{0, 1, 0, 0, 0, 0, 0, 0};
};

// The polynomial in its main variable, ascending powers.
struct DenseForm {
    std::int32_t Degree = 0;
    std::vector<float> PolyCoef;
    std::vector<float> PolyWork;  // 0..300
    std::vector<float> PolyKeep;  // 0..300
    float LowExp = 0;
    std::int32_t DegreeKeep = 0;
    // Image degree of the whole polynomial in the first pass: it cannot split
    // into more factors than this, so no more binomials can be queued.
    std::int32_t WholeDegree = 0;
};

// The trial-factor search.
struct SearchState {
    std::int32_t TrialDegree = 0;
    std::int32_t StartDegree = 0;
    std::int32_t FirstDegree = 1;
    std::int32_t HalfDegree = 0;
    std::vector<float> TrialFactor;  // 0..300
    std::vector<double> DivRem;      // 0..n
    std::vector<float> DivisorA;
    std::vector<float> DivisorB;
    std::int32_t DivisorCount = 0;
    std::int32_t DivisorIdx = 0;
    std::vector<std::int32_t> CoefBound;  // 0..floor(n/2)
    float Bound1 = 0;
    float Bound2 = 0;
    float DefaultBound1 = 0;
    float CurBound1 = 0;
    float MaxCoefAbs = 0;
    float Bound2Floor = 0;
    float LeadAbs = 0;
    std::int32_t LeadBound = 0;
    std::vector<float> UpCoef, UpQuot, DownCoef, DownQuot;  // 0..floor(n/2)
    std::vector<std::int32_t> StepMode;
    std::vector<float> SearchSave;  // 0..n+10
    std::vector<float> UpCoefKeep, UpQuotKeep, DownCoefKeep, DownQuotKeep;
    std::vector<std::int32_t> StepModeKeep;
    std::int32_t StateSaved = 0;
    std::int32_t SearchPos = 1;
    float StepGcd = 1;
    float CoefStep = 1;
    float QuotStep = 1;
    // The pair in use when SearchSave was taken.
    std::int32_t DivisorIdxKeep = 0;
    // Positions entered since start-up (reported by the benchmark).
    long long PositionsEntered = 0;
    // Complete assignments reached since start-up (the candidates checked).
    long long CompleteAssignments = 0;
    // Positions entered for the polynomial searched now (the input, or the
    // cofactor after a factor), and the most any earlier one took.
    long long PolyPositions = 0;
    long long PolyPositionsMost = 0;
    // Past this many positions for one polynomial the walk stops and exact
    // factoring supplies the factor; without it there is no such limit.
    long long PositionBudget = std::numeric_limits<long long>::max();
    // The walk stopped at the budget, or a check was stopped by a key or the
    // clock before its combination of stored factors was over.
    bool BudgetSpent = false;
    bool ChecksStopped = false;
    // Exact factoring ended the search: another attempt with other bounds
    // would end the same way.
    bool ExactEnded = false;
    // Set only by tests: called as a position is entered, before the keys and
    // the clock are polled, with g0..g(j-1), q0..q(j-1) and the walking state
    // of positions 1..j-1 as the walk holds them.
    std::function<void(int position)> PositionProbe;
    // The exact factorisation of the polynomial last walked: the degrees of
    // one search all walk the same polynomial.
    exact::UniPoly GuidePoly;
    std::optional<exact::UniFactorization> GuideFactors;
};

// Candidate factors kept for a polynomial in several variables.
struct FactorStore {
    std::vector<float> Work2n;  // 0..2n-1
    std::int32_t StoredCount = 0;
    float StoredEnd = 0;
    std::vector<float> StoredEndAt;  // index one past factor m; [0] = 0
    std::vector<float> StoredDeg;
};

// Why the search last stopped, kept until a later stage has acted on it.
enum class StopReason {
    None,
    Retune,   // the time limit ran out or x was pressed: the search may start again with a smaller bound
    Leave,    // t was pressed: the search gives up here
    NoLimit,  // b was pressed: the search goes on, and the first pass has no time limit any more
};

// What last cut a search of this run short, kept to the end of the run: the
// transcript of such a run ends in "=....", and after t nothing more is split.
enum class StoppedBy {
    Nothing,
    TimeLimitOrX,  // the time limit ran out or x was pressed
    KeyT,          // t was pressed: the user gave the search up
};

// The first pass of the search runs before any factor is found; every pass
// after one has a shorter time limit.
enum class Pass { First, Later };

// The time limit of a pass in minutes.
constexpr float PassMinutes(Pass pass) { return pass == Pass::First ? 7.0f : 1.0f; }

// What the check of a candidate factor found: the candidate rejected, kept in
// the store (a split of the image that is not one in every letter), or a
// factor split off.
enum class MethodOutcome : std::int32_t { Rejected = 1, Kept = 2, Split = 3 };

// A check's outcome and, with MethodOutcome::Split, the split.
struct CheckResult {
    MethodOutcome Outcome = MethodOutcome::Rejected;
    FoundSplit Split;
};

// Scalars that carry the run from stage to stage.
struct RunFlags {
    std::string InputText;
    std::string ResultFile = "jg.dat";
    // No grouping working has been shown: the run offers no further solutions.
    bool NoGroupingShown = true;
    // A factor has been split off this polynomial: what follows is a step
    // inside a product the transcript already shows.
    bool FactorFound = false;
    // A coefficient was read as a fraction.
    bool Fractional = false;
    float DenProduct = 1;
    float Content = 1;
    std::string SignPrefix;
    float SignFlip = 1;
    std::int32_t Sign = 1;
    std::int32_t SignAcc = 1;
    // The next line of the working continues the product already shown and
    // takes no "=" with the content before it.
    bool NoEqualsPrefix = false;
    yinshi::StopReason StopReason = StopReason::None;
    yinshi::StoppedBy StoppedBy = StoppedBy::Nothing;
    // The user asked for a new decomposition with a raised bound: the next
    // tightening for a high degree is skipped once, so that the bound holds.
    bool KeepAnewBound = false;
    std::int32_t Skipped = 0;
    yinshi::Pass SearchPass = Pass::First;
    std::string StartTime;
    std::string SearchStartTime;
    float StartMinute = 0;
    // The long method of the image has been tried for this input.
    bool LongTried = false;
    float GsysCount = 0;
    float GsysRead = 0;
    std::int32_t ItemCount = 0;
    std::int32_t SolutionCounter = 0;
    float ProdCount = 0;
    // Answered yes to a new decomposition: the search it starts ends without
    // an "=" line of its own.
    bool AnsweredAnew = false;
    // Exact factoring split what the search left and appended its working to
    // the transcript: only the last product line there holds the factors.
    bool SplitAfterSearch = false;
};

inline bool IsFirstPass(const RunFlags& r) { return r.SearchPass == Pass::First; }

// The permutation files from which the variable order is chosen.
struct OrderFiles {
    std::string PlOut = "pl2";
};

// Capacities of the further-solutions tables, counted from 1: the raw product
// before like terms are merged, and the gathered product and the reference.
constexpr int kMaxRawEntries = 101;
constexpr int kMaxProductTerms = 51;

// Tables of the further-solutions mode.
struct FurtherState {
    std::vector<float> ProdCoef;  // at least 0..101
    FloatGrid ProdExp;            // (0..50, 0..vars)
    std::vector<float> RefCoef;   // 0..50, the last solution shown
    FloatGrid RefExp;             // (0..50, 0..vars)
    FloatGrid RawExp;             // (0..100, 0..vars)
    float RefCount = 0;
};

}  // namespace yinshi
